// A copy of an executable with its build-mode flag set or cleared: the one byte that makes a
// program open the builder instead of its main window.
#pragma once

#include <string>

#include "custom/build_edition.h"

namespace custom {

// Writes `output` as a copy of `exe` whose block has "1" (on) or "0" (off) at the flag's
// offset, nothing else changed. `exe` itself is never written. Errors use the builder's
// texts; success reads "File created successfully !".
BuildOutcome WriteBuildModeCopy(const std::string& exe, bool on, const std::string& output);

}  // namespace custom
