#include "app/app_arguments.h"

#include "custom/customization_block.h"
#include "custom/version_text.h"

namespace app {

WindowCommandLine::WindowCommandLine()
    : app("Quillrate: checks a recordable disc in an optical drive before a burn.", "quillrate") {
  app.set_version_flag(
      "--version", [] { return custom::VersionText("quillrate", custom::ProgramBlock()); },
      "Print the program's version (and an edition's own name and version) and exit");
  simulateOption =
      app.add_option("--simulate", simulate,
                     "Use a simulated machine instead of the real drives: without PATH the "
                     "demonstration machine built into the program, with PATH a fixture file")
          ->expected(0, 1)
          ->option_text("[=PATH]");
  // The window program takes no arguments of its own: anything else on its command line (a
  // desktop launcher's file argument, say) is ignored with a note, never a refusal to start.
  app.allow_extras();
}

Arguments ParseArguments(const std::vector<std::string>& arguments) {
  Arguments parsed;
  WindowCommandLine commandLine;
  CLI::App& parser = commandLine.app;
  try {
    parser.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
  } catch (const CLI::CallForHelp&) {
    parsed.answer = parser.help();
  } catch (const CLI::CallForVersion& version) {
    parsed.answer = version.what();
  } catch (const CLI::ParseError& e) {
    parsed.error = std::string("quillrate: ") + e.what() + "\nRun with --help for usage.";
  }
  if (commandLine.simulateOption->count() > 0) parsed.choice.simulate = commandLine.simulate;
  if (parsed.answer.empty() && parsed.error.empty() && !parser.remaining().empty()) {
    parsed.ignored = "quillrate: ignoring unknown arguments:";
    for (const std::string& extra : parser.remaining()) parsed.ignored += " " + extra;
  }
  return parsed;
}

}  // namespace app
