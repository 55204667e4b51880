// The command-line companion: parses the arguments and runs one command.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cli {

// Runs quillrate-cli with the given arguments (without the program name) and returns the
// exit status. Normal output goes to `out`, messages and errors to `err`; `errIsTerminal`
// lets waits for a drive show their progress there.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool errIsTerminal = false);

// The exit status once the output has been flushed: a failure, with a message on `err`, when
// `out` could not be written (a full disk, a closed pipe).
int FinishOutput(int status, std::ostream& out, std::ostream& err);

}  // namespace cli
