#include "cli/cli_app.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

#include <CLI/CLI.hpp>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/session.h"

namespace cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal) {
  CommandLine commandLine;
  CLI::App& app = commandLine.app;
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    out << version.what();
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
  if (commandLine.simulateOption->count() > 0) session.choice.simulate = commandLine.simulate;
  if (commandLine.captureOption->count() > 0) session.capturePath = commandLine.capture;
  if (commandLine.deviceOption->count() > 0) session.devicePath = commandLine.device;
  try {
    session.System();
  } catch (const std::exception& e) {
    err << "quillrate-cli: " << e.what() << '\n';
    return kExitFixture;
  }
  for (const Command& command : commandLine.commands) {
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
