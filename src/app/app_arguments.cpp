#include "app/app_arguments.h"

#include "custom/program_options.h"

namespace app {

WindowCommandLine::WindowCommandLine() : app(custom::kProgramDescription, "quillrate") {
  custom::AddVersionFlag(app, "quillrate");
  simulateOption = custom::AddSimulateOption(app, simulate);
  // The help footer would be the manual's exit statuses; the hint goes with the option.
  simulateOption->description(simulateOption->get_description() +
                              ". Without an optical drive, \"quillrate --simulate\" shows the "
                              "program at work on the demonstration machine");
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
