#include <unistd.h>

#include <iostream>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const int status = cli::RunCli(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
  return cli::FinishOutput(status, std::cout, std::cerr);
}
