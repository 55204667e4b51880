#include "cli/cli_app.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/fd_output.h"
#include "cli/session.h"
#include "cli/visible_lines.h"

namespace cli {
namespace {

#ifdef _WIN32
// Why the path given with --device cannot be a drive, when that is plain before it is opened:
// it is missing, or it is a file, a folder or a pipe rather than a device node. Windows names
// its devices (\\.\E:, \\?\...) outside the file system, so for those only the drive's
// answer tells. (On Linux the system checks the node itself: Session::DeviceProblem.)
std::optional<std::string> DevicePathProblem(const std::string& path) {
  if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("\\\\?\\", 0) == 0) return std::nullopt;
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  switch (status.type()) {
    case fs::file_type::not_found:
      return "no such file";
    case fs::file_type::regular:
      return "a file, not a device";
    case fs::file_type::directory:
      return "a folder, not a device";
    case fs::file_type::fifo:
    case fs::file_type::socket:
      return "a pipe or socket, not a device";
    default:
      return std::nullopt;
  }
}
#endif

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& errors,
           bool errIsTerminal) {
  // Messages name what the user typed and what drives and files hold: shown visibly.
  VisibleLines err(errors);
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

  Session session(out, err, errors);
  session.showProgress = errIsTerminal;
  if (commandLine.simulateOption->count() > 0) session.choice.simulate = commandLine.simulate;
  if (commandLine.captureOption->count() > 0) session.capturePath = commandLine.capture;
  if (commandLine.deviceOption->count() > 0) {
#ifdef _WIN32
    // A simulated machine names its own devices.
    const bool realDevice = commandLine.simulateOption->count() == 0;
    if (const auto problem = realDevice ? DevicePathProblem(commandLine.device) : std::nullopt) {
      err << "quillrate-cli: --device " << commandLine.device << ": " << *problem << '\n';
      return kExitNoDrive;
    }
#endif
    session.devicePath = commandLine.device;
  }
  try {
    session.System();
  } catch (const std::exception& e) {
    err << "quillrate-cli: " << e.what() << '\n';
    return kExitFixture;
  }
  for (const Command& command : commandLine.commands) {
    if (!command.parser->parsed()) continue;
    int status = kExitOk;
    try {
      status = command.run(session);
    } catch (const Session::DeviceUnusable& unusable) {
      err << "quillrate-cli: --device " << unusable.problem.device << ": "
          << unusable.problem.reason << '\n';
      status = DeviceProblemStatus(unusable.problem);
    }
    return session.FinishCapture() ? status : kExitFailure;
  }
  return kExitUsage;
}

int FinishOutput(int status, std::ostream& out, std::ostream& err) {
  errno = 0;
  out.flush();
  bool failed = false;
  int error = 0;
  if (const auto* fd = dynamic_cast<const FdOutputBuffer*>(out.rdbuf())) {
    // The reason of the write that failed, however much was written after it.
    error = fd->FirstError();
    failed = !out || error != 0;
  } else {
    // The standard streams write through C's stdout, which keeps its own error state.
    failed = !out || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    error = errno;
  }
  if (!failed) return status;
  if (error == 0) error = EIO;
  err << "quillrate-cli: the output could not be written: " << std::strerror(error) << '\n';
  return status == kExitOk ? kExitFailure : status;
}

}  // namespace cli
