#include "docgen/man_page.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "docgen/roff_text.h"

namespace docgen {
namespace {

std::vector<const CLI::Option*> Shown(const CLI::App& app, bool positional) {
  // An option without a group is one that --help hides.
  return app.get_options([positional](const CLI::Option* option) {
    return !option->get_group().empty() && option->get_positional() == positional;
  });
}

std::vector<const CLI::App*> Commands(const CLI::App& app) {
  return app.get_subcommands([](const CLI::App* command) {
    return !command->get_disabled() && !command->get_group().empty();
  });
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// "-h,--help" as "-h, --help", each name in bold; the value's label in italics.
void WriteOption(std::ostream& out, const CLI::Formatter& formatter, const CLI::Option& option,
                 bool positional) {
  out << ".TP\n";
  if (positional) {
    out << Italic(formatter.make_option_name(&option, true));
  } else {
    std::stringstream names(formatter.make_option_name(&option, false));
    std::string name;
    bool first = true;
    while (std::getline(names, name, ',')) {
      out << (first ? "" : ", ") << Bold(name);
      first = false;
    }
  }
  const std::string opts = formatter.make_option_opts(&option);
  if (!opts.empty()) out << ' ' << Italic(opts.substr(1));
  out << '\n' << RoffText(option.get_description()) << '\n';
}

void WriteOptions(std::ostream& out, const CLI::Formatter& formatter, const CLI::App& app,
                  bool withHelp) {
  for (const CLI::Option* option : Shown(app, true)) WriteOption(out, formatter, *option, true);
  for (const CLI::Option* option : Shown(app, false)) {
    if (!withHelp && option == app.get_help_ptr()) continue;
    WriteOption(out, formatter, *option, false);
  }
}

// Each command as its usage line, its description and its own arguments and options (their
// --help is the same for every command, so it is told once, under OPTIONS).
void WriteCommands(std::ostream& out, const CLI::Formatter& formatter, const CLI::App& app,
                   const std::string& path) {
  for (const CLI::App* command : Commands(app)) {
    const std::string name = path + command->get_name();
    std::string usage = formatter.make_usage(command, name);
    usage = usage.substr(usage.find(':') + 2);
    usage.erase(usage.find_last_not_of('\n') + 1);
    out << ".SS \"" << RoffText(usage) << "\"\n" << RoffText(command->get_description()) << '\n';
    WriteOptions(out, formatter, *command, false);
    WriteCommands(out, formatter, *command, name + " ");
  }
}

const ManSection* Find(const std::vector<ManSection>& sections, std::string_view name) {
  const auto it = std::find_if(sections.begin(), sections.end(),
                               [name](const ManSection& s) { return s.name == name; });
  return it == sections.end() ? nullptr : &*it;
}

// The description without the program's name in front and the full stop at the end: the
// NAME line's summary.
std::string Summary(const CLI::App& app) {
  std::string text = app.get_description();
  const size_t colon = text.find(": ");
  if (colon != std::string::npos) text = text.substr(colon + 2);
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::vector<ManSection> ParseManSections(std::string_view roff) {
  std::vector<ManSection> sections;
  std::istringstream lines{std::string(roff)};
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind(".SH ", 0) == 0) {
      std::string name = line.substr(4);
      name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
      sections.push_back({name, ""});
    } else if (!sections.empty()) {
      sections.back().body += line + '\n';
    }
  }
  return sections;
}

std::string ManPage(const CLI::App& app, std::string_view version,
                    const std::vector<ManSection>& handWritten) {
  const CLI::Formatter formatter;
  const std::string name = app.get_name();
  std::ostringstream out;
  out << ".\\\" Made at build time from the program's own command line; do not edit.\n"
      << ".TH \"" << RoffText(Upper(name)) << "\" 1 \"\" \"Quillrate " << RoffText(version)
      << "\" \"User Commands\"\n"
      << ".nh\n"  // program and option names are never hyphenated
      << ".SH NAME\n"
      << RoffText(name) << " \\- " << RoffText(Summary(app)) << '\n';

  out << ".SH SYNOPSIS\n";
  std::string usage = formatter.make_usage(&app, name);
  usage = usage.substr(usage.find(':') + 2);
  usage.erase(usage.find_last_not_of('\n') + 1);
  out << Bold(name) << RoffText(usage.substr(name.size())) << '\n';

  out << ".SH DESCRIPTION\n" << RoffText(app.get_description()) << '\n';
  if (const ManSection* description = Find(handWritten, "DESCRIPTION")) {
    out << ".PP\n" << description->body;
  }

  out << ".SH OPTIONS\n";
  WriteOptions(out, formatter, app, true);
  if (!Commands(app).empty()) {
    out << ".SH COMMANDS\n"
        << "Each command takes " << Bold("--help") << " too.\n";
    WriteCommands(out, formatter, app, name + " ");
  }
  if (!app.get_footer().empty()) {
    std::string footer = app.get_footer();
    const std::string lead = "Exit status: ";
    if (footer.rfind(lead, 0) == 0) footer = footer.substr(lead.size());
    out << ".SH \"EXIT STATUS\"\n" << RoffText(footer) << '\n';
  }
  for (const ManSection& section : handWritten) {
    if (section.name == "DESCRIPTION") continue;
    out << ".SH \"" << section.name << "\"\n" << section.body;
  }
  return out.str();
}

}  // namespace docgen
