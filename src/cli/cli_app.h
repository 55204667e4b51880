// The command-line companion: parses the arguments and runs one command.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Runs quillrate-cli with the given arguments (without the program name) and returns the
// exit status. Normal output goes to `out`, messages and errors to `err`.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
