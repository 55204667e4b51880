// The program's report formats are printf formats. They are always applied in the "C"
// numeric locale, so "702.83MB" never becomes "702,83MB" under a user's locale.
#pragma once

#include <string>

namespace device {

// printf-style formatting into a std::string, independent of the process locale.
[[gnu::format(gnu_printf, 1, 2)]] std::string FormatC(const char* format, ...);

}  // namespace device
