// Runs quillrate-cli in the test process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace cli_test {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace cli_test
