// Runs quillrate-cli inside the test process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace testing_cli {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliRun RunCliArgs(const std::vector<std::string>& args, bool errIsTerminal = false) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::RunCli(args, out, err, errIsTerminal);
  return {status, out.str(), err.str()};
}

}  // namespace testing_cli
