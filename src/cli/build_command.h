// `quillrate-cli build` and `quillrate-cli build-mode`: the builder from the terminal.
#pragma once

#include <iosfwd>
#include <string>

#include "custom/build_edition.h"

namespace cli {

// The prototype `build` uses when none is named: the `quillrate` program installed beside
// this one.
std::string InstalledProgramPath();

// Prints the outcome's message (stdout on success, stderr otherwise) and returns the exit
// status for it.
int ReportBuildOutcome(const custom::BuildOutcome& outcome, std::ostream& out, std::ostream& err);

}  // namespace cli
