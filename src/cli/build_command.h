// `quillrate-cli build` and `quillrate-cli build-mode`: the builder from the terminal.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "custom/build_edition.h"

namespace cli {

// Where `build` looks for the program to copy when no prototype is named, in order: the
// `quillrate` program installed beside this one, then the one of the build tree.
std::vector<std::string> DefaultPrototypePaths();

// Prints the outcome's message (stdout on success, stderr otherwise) and returns the exit
// status for it.
int ReportBuildOutcome(const custom::BuildOutcome& outcome, std::ostream& out, std::ostream& err);

}  // namespace cli
