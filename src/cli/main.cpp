#include <unistd.h>

#include <iostream>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/fd_output.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const bool errIsTerminal = ::isatty(STDERR_FILENO) == 1;
  // A terminal shows each line as it comes; a file or a pipe is written straight to the
  // descriptor, so that a failed write (a full disk) keeps its reason.
  if (::isatty(STDOUT_FILENO) == 1) {
    const int status = cli::RunCli(args, std::cout, std::cerr, errIsTerminal);
    return cli::FinishOutput(status, std::cout, std::cerr);
  }
  cli::FdOutputBuffer buffer(STDOUT_FILENO);
  std::ostream out(&buffer);
  const int status = cli::RunCli(args, out, std::cerr, errIsTerminal);
  return cli::FinishOutput(status, out, std::cerr);
}
