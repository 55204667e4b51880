#include "cli/cli_app.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/session.h"

namespace cli {
namespace {

constexpr const char* kFooter =
    "Exit status: 0 success; 1 the command failed; 2 bad command line; 3 the simulated "
    "machine could not be loaded; 4 no drive found; 5 the named file does not exist or "
    "cannot be read; 8 the drive stopped answering during report or identify (the lines show "
    "what failed commands give). An output that cannot be written (a full disk, a closed pipe) "
    "is a failure too. media-file check: 0 every data line is taken, 1 some lines are "
    "skipped. build and build-mode: 0 the file was written; 1 it could not be written; 2 no "
    "property file named; 5 the property file or the executable is missing or unreadable; 6 the "
    "executable carries no complete customization block; 7 a [DVD] line of the property file "
    "stopped the build.";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
  CLI::App app{"Quillrate: checks a recordable disc in an optical drive before a burn.",
               "quillrate-cli"};
  app.footer(kFooter);
  // "/x" is a path, also on Windows, never an option.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);

  std::string simulate;
  auto* simulateOption =
      app.add_option("--simulate", simulate,
                     "Use a simulated machine instead of the real drives: without PATH the "
                     "demonstration machine built into the program, with PATH a fixture file")
          ->expected(0, 1)
          ->option_text("[=PATH]");

  std::string device;
  auto* deviceOption =
      app.add_option("--device", device,
                     "Use exactly the device at PATH as the only drive, instead of the drives "
                     "the system lists (/dev/sr0, /dev/sg1; on Windows \\\\.\\E:, "
                     "\\\\.\\CdRom0)")
          ->option_text("PATH");

  std::string capture;
  auto* captureOption = app.add_option("--capture", capture,
                                       "Record every command the drives answer into FILE, as a "
                                       "fixture that --simulate=FILE replays")
                            ->option_text("FILE");

  const std::vector<Command> commands{
      AddDrivesCommand(app),   AddReportCommand(app), AddFeaturesCommand(app),
      AddFeatureCommand(app),  AddAboutCommand(app),  AddMediaFileCommand(app),
      AddIdentifyCommand(app), AddBuildCommand(app),  AddBuildModeCommand(app),
  };

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    // A mistyped command word is left over as an extra; name it rather than only saying
    // that a command is missing.
    const std::vector<std::string> extras = app.remaining();
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr && !extras.empty()) {
      err << "quillrate-cli: unknown command \"" << extras.front() << "\"";
    } else {
      err << "quillrate-cli: " << e.what();
    }
    err << "\nRun with --help for usage.\n";
    return kExitUsage;
  }

  Session session(out, err);
  session.showProgress = errIsTerminal;
  if (simulateOption->count() > 0) session.choice.simulate = simulate;
  if (captureOption->count() > 0) session.capturePath = capture;
  if (deviceOption->count() > 0) session.devicePath = device;
  try {
    session.System();
  } catch (const std::exception& e) {
    err << "quillrate-cli: " << e.what() << '\n';
    return kExitFixture;
  }
  for (const Command& command : commands) {
    if (!command.parser->parsed()) continue;
    const int status = command.run(session);
    return session.FinishCapture() ? status : kExitFailure;
  }
  return kExitUsage;
}

int FinishOutput(int status, std::ostream& out, std::ostream& err) {
  errno = 0;
  out.flush();
  // The standard streams write through C's stdout, which keeps its own error state.
  const bool failed = !out || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  if (!failed) return status;
  const int error = errno != 0 ? errno : EIO;
  err << "quillrate-cli: the output could not be written: " << std::strerror(error) << '\n';
  return status == kExitOk ? kExitFailure : status;
}

}  // namespace cli
