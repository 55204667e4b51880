#include "docgen/man_page.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/app_arguments.h"
#include "cli/command_line.h"
#include "docgen/roff_text.h"

namespace {

// The page as a reader sees its words: no font changes, escaped minus signs as '-'.
std::string Plain(std::string roff) {
  roff = std::regex_replace(roff, std::regex(R"(\\f[BIR])"), "");
  roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
  roff = std::regex_replace(roff, std::regex(R"(\\&)"), "");
  return std::regex_replace(roff, std::regex(R"(\\e)"), "\\");
}

std::vector<std::string> SectionNames(const std::string& roff) {
  std::vector<std::string> names;
  const std::regex heading(R"re(^\.SH "?([^"\n]+)"?$)re", std::regex::multiline);
  for (auto it = std::sregex_iterator(roff.begin(), roff.end(), heading);
       it != std::sregex_iterator(); ++it) {
    names.push_back((*it)[1]);
  }
  return names;
}

TEST(RoffText, EscapesWhatRoffWouldReadAsMarkup) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--simulate", "\\-\\-simulate"},
      {"C:\\path", "C:\\epath"},
      {".build-mode-on", "\\&.build\\-mode\\-on"},
      {"'quoted'", "\\&'quoted'"},
      {"line\n.next", "line\n\\&.next"},
      {"a.b 'c'", "a.b 'c'"},
      {"", ""},
  };
  for (const auto& [text, roff] : cases) EXPECT_EQ(docgen::RoffText(text), roff) << text;
}

TEST(ManSections, SplitAtHeadingsWithoutLeadingComments) {
  const auto sections = docgen::ParseManSections(
      ".\\\" a comment\nignored\n.SH FILES\n.TP\nx\n.SH \"EXIT STATUS\"\n0 fine\n.SH EMPTY\n");
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].name, "FILES");
  EXPECT_EQ(sections[0].body, ".TP\nx\n");
  EXPECT_EQ(sections[1].name, "EXIT STATUS");
  EXPECT_EQ(sections[1].body, "0 fine\n");
  EXPECT_EQ(sections[2].name, "EMPTY");
  EXPECT_EQ(sections[2].body, "");
}

const std::vector<docgen::ManSection> kHandWritten = {
    {"FILES", "files text\n"},
    {"DESCRIPTION", "hand description\n"},
    {"SEE ALSO", "see text\n"},
};

// Every command's --help, word for word where it names something: each command's usage, each
// option and argument name, and every description, are on the page.
void ExpectEveryHelpTextOnThePage(const CLI::App& command, const std::string& page) {
  SCOPED_TRACE(command.get_name());
  const std::string help = command.help();
  const std::regex option(R"(--[a-z][a-z-]*|^  [A-Z_]+\b)", std::regex::multiline);
  for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
       it != std::sregex_iterator(); ++it) {
    std::string word = it->str();
    word.erase(0, word.find_first_not_of(' '));
    EXPECT_NE(page.find(word), std::string::npos) << word;
  }
  for (const CLI::Option* each : command.get_options()) {
    if (each->get_group().empty()) continue;
    EXPECT_NE(page.find(each->get_description()), std::string::npos) << each->get_name();
  }
  EXPECT_NE(page.find(command.get_description()), std::string::npos);
  for (const CLI::App* sub : command.get_subcommands({})) ExpectEveryHelpTextOnThePage(*sub, page);
}

TEST(ManPage, TheTerminalToolsPageSaysWhatItsHelpSays) {
  const cli::CommandLine commandLine;
  const std::string roff = docgen::ManPage(commandLine.app, "9.8.7", kHandWritten);
  const std::string page = Plain(roff);
  ExpectEveryHelpTextOnThePage(commandLine.app, page);
  EXPECT_EQ(SectionNames(roff),
            (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "COMMANDS",
                                      "EXIT STATUS", "FILES", "SEE ALSO"}));
  for (const char* usage : {".SS \"quillrate-cli media-file check [OPTIONS] FILE\"",
                            ".SS \"quillrate-cli feature [OPTIONS] NAME STATE\"",
                            ".SS \"quillrate-cli drives [OPTIONS]\""}) {
    EXPECT_NE(page.find(usage), std::string::npos) << usage;
  }
  EXPECT_NE(page.find(".TH \"QUILLRATE-CLI\" 1 \"\" \"Quillrate 9.8.7\""), std::string::npos);
  EXPECT_NE(
      page.find("quillrate-cli - checks a recordable disc in an optical drive before a burn\n"),
      std::string::npos);
  // The footer's statuses, without its "Exit status: " lead.
  const std::string footer = commandLine.app.get_footer();
  EXPECT_NE(page.find(".SH \"EXIT STATUS\"\n" + footer.substr(footer.find(':') + 2)),
            std::string::npos);
  // The hand-written description follows the program's own.
  EXPECT_NE(page.find("before a burn.\n.PP\nhand description\n.SH OPTIONS"), std::string::npos);
}

TEST(ManPage, TheWindowProgramsPageHasItsOptionsAndNoCommands) {
  const app::WindowCommandLine commandLine;
  const std::vector<docgen::ManSection> handWritten = {{"EXIT STATUS", "0 closed\n"},
                                                       {"ENVIRONMENT", "QT_QPA_PLATFORM\n"}};
  const std::string roff = docgen::ManPage(commandLine.app, "1.2.3", handWritten);
  ExpectEveryHelpTextOnThePage(commandLine.app, Plain(roff));
  EXPECT_EQ(SectionNames(roff),
            (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS",
                                      "ENVIRONMENT"}));
  EXPECT_NE(roff.find("\\fB\\-h\\fR, \\fB\\-\\-help\\fR\n"), std::string::npos);
  EXPECT_NE(roff.find("\\fB\\-\\-simulate\\fR \\fI[=PATH]\\fR\n"), std::string::npos);
  // A user without a drive learns from --help (and so the page) how to see the demo.
  EXPECT_NE(commandLine.app.help().find("\"quillrate --simulate\" shows the program at work"),
            std::string::npos)
      << commandLine.app.help();
}

}  // namespace
