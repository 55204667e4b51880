#include "docgen/bash_completion.h"

#include <ostream>
#include <sstream>
#include <vector>

namespace docgen {
namespace {

enum class ValueKind { None, File, Folder, Choice };

struct Value {
  ValueKind kind = ValueKind::None;
  std::string choices;  // for Choice: the words, separated by blanks
};

// What a value is, from what --help shows of it: "TEXT:{on,off}" is one of those words, a
// DIR a folder, a FILE, PATH or EXE a file.
Value ValueOf(const std::string& label) {
  const size_t open = label.find('{');
  const size_t close = label.find('}', open == std::string::npos ? 0 : open);
  if (open != std::string::npos && close != std::string::npos) {
    std::string words = label.substr(open + 1, close - open - 1);
    for (char& c : words) {
      if (c == ',') c = ' ';
    }
    return {ValueKind::Choice, words};
  }
  if (label.find("DIR") != std::string::npos) return {ValueKind::Folder, ""};
  for (const char* file : {"FILE", "PATH", "EXE"}) {
    if (label.find(file) != std::string::npos) return {ValueKind::File, ""};
  }
  return {};
}

Value ValueOf(const CLI::Option& option) {
  if (option.get_positional()) return ValueOf(option.get_name(true) + " " + option.get_type_name());
  return ValueOf(option.get_option_text().empty() ? option.get_type_name()
                                                  : option.get_option_text());
}

// The completion of one value; the shell script's statement.
std::string CompleteValue(const Value& value) {
  switch (value.kind) {
    case ValueKind::File:
      return "_filedir";
    case ValueKind::Folder:
      return "_filedir -d";
    case ValueKind::Choice:
      return "COMPREPLY=($(compgen -W \"" + value.choices + "\" -- \"$cur\"))";
    case ValueKind::None:
      break;
  }
  return ":";
}

struct Level {
  std::string path;  // the command words after the program's name, separated by blanks
  const CLI::App* app;
};

void Collect(const CLI::App& app, const std::string& path, std::vector<Level>& levels) {
  levels.push_back({path, &app});
  for (const CLI::App* command : app.get_subcommands({})) {
    Collect(*command, path.empty() ? command->get_name() : path + " " + command->get_name(),
            levels);
  }
}

std::vector<const CLI::Option*> Options(const CLI::App& app, bool positional) {
  return app.get_options([positional](const CLI::Option* option) {
    return !option->get_group().empty() && option->get_positional() == positional;
  });
}

std::string FunctionName(const std::string& program) {
  std::string name = "_" + program;
  for (char& c : name) {
    if (c == '-') c = '_';
  }
  return name;
}

// Walks the words typed so far: `path` becomes the command words, `npos` counts the command's
// arguments, and an option that takes a value skips that value.
void WriteWordWalk(const std::vector<Level>& levels, std::ostream& out) {
  out << "  # The command words typed so far, skipping options and the values they take.\n"
      << "  local path=\"\" skip=0 npos=0 i\n"
      << "  for ((i = 1; i < cword; i++)); do\n"
      << "    if ((skip)); then skip=0; continue; fi\n"
      << "    case \"$path|${words[i]}\" in\n";
  for (const Level& level : levels) {
    for (const CLI::Option* option : Options(*level.app, false)) {
      if (option->get_expected_min() == 0) continue;
      for (const std::string& name : option->get_lnames()) {
        out << "      \"" << level.path << "|--" << name << "\") skip=1 ;;\n";
      }
      for (const std::string& name : option->get_snames()) {
        out << "      \"" << level.path << "|-" << name << "\") skip=1 ;;\n";
      }
    }
    for (const CLI::App* command : level.app->get_subcommands({})) {
      const std::string next =
          level.path.empty() ? command->get_name() : level.path + " " + command->get_name();
      out << "      \"" << level.path << "|" << command->get_name() << "\") path=\"" << next
          << "\"; npos=0 ;;\n";
    }
  }
  out << "      *\"|-\"*) ;;\n"
      << "      *) ((npos++)) ;;\n"
      << "    esac\n"
      << "  done\n\n";
}

// The value after an option that takes one, or after --option=.
void WriteOptionValues(const std::vector<Level>& levels, std::ostream& out) {
  out << "  # A value: after an option that takes one, or after --option=.\n"
      << "  case \"$path|$prev\" in\n";
  for (const Level& level : levels) {
    for (const CLI::Option* option : Options(*level.app, false)) {
      if (option->get_expected_max() == 0) continue;  // a flag
      // An optional value (--simulate[=PATH]) is only ever given after '='.
      const std::string when = option->get_expected_min() > 0 ? "" : "[[ $split == true ]] && ";
      for (const std::string& name : option->get_lnames()) {
        out << "    \"" << level.path << "|--" << name << "\") " << when << "{ "
            << CompleteValue(ValueOf(*option)) << "; return; } ;;\n";
      }
    }
  }
  out << "  esac\n\n";
}

// The options of the command typed so far, when the word begins with '-'.
void WriteOptionNames(const std::vector<Level>& levels, std::ostream& out) {
  out << "  if [[ $cur == -* ]]; then\n"
      << "    local options=\"\"\n"
      << "    case \"$path\" in\n";
  for (const Level& level : levels) {
    out << "      \"" << level.path << "\") options=\"";
    bool first = true;
    for (const CLI::Option* option : Options(*level.app, false)) {
      for (const std::string& name : option->get_snames()) {
        out << (first ? "" : " ") << "-" << name;
        first = false;
      }
      for (const std::string& name : option->get_lnames()) {
        out << (first ? "" : " ") << "--" << name;
        first = false;
      }
    }
    out << "\" ;;\n";
  }
  out << "    esac\n"
      << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n\n";
}

// A command word, or the command's next argument.
void WriteArguments(const std::vector<Level>& levels, std::ostream& out) {
  out << "  # A command word, or the command's next argument.\n"
      << "  case \"$path|$npos\" in\n";
  for (const Level& level : levels) {
    const auto commands = level.app->get_subcommands({});
    if (!commands.empty()) {
      out << "    \"" << level.path << "|0\") COMPREPLY=($(compgen -W \"";
      bool first = true;
      for (const CLI::App* command : commands) {
        out << (first ? "" : " ") << command->get_name();
        first = false;
      }
      out << "\" -- \"$cur\")) ;;\n";
    }
    int index = 0;
    for (const CLI::Option* positional : Options(*level.app, true)) {
      out << "    \"" << level.path << "|" << index++ << "\") "
          << CompleteValue(ValueOf(*positional)) << " ;;\n";
    }
  }
  out << "  esac\n";
}

}  // namespace

std::string BashCompletion(const CLI::App& app) {
  std::vector<Level> levels;
  Collect(app, "", levels);
  const std::string function = FunctionName(app.get_name());
  std::ostringstream out;
  out << "# bash completion for " << app.get_name()
      << ", made at build time from its own command line; do not edit.\n"
      << function << "() {\n"
      << "  local cur prev words cword split\n"
      << "  _init_completion -s || return\n";
  WriteWordWalk(levels, out);
  WriteOptionValues(levels, out);
  WriteOptionNames(levels, out);
  WriteArguments(levels, out);
  out << "} &&\n"
      << "  complete -F " << function << ' ' << app.get_name() << '\n';
  return out.str();
}

}  // namespace docgen
