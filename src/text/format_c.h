// The program's report formats are printf formats. They are always applied in the "C"
// numeric locale, so "702.83MB" never becomes "702,83MB" under a user's locale.
#pragma once

#include <string>

namespace text {

// The formats are checked as C99 printf formats (%zu and friends). On mingw-w64 GCC "printf"
// would mean the Microsoft runtime's dialect, so GCC is told "gnu_printf"; clang knows only
// "printf", which it checks as C99.
#if defined(__clang__)
#define QUILLRATE_PRINTF_FORMAT(fmt, args) [[gnu::format(printf, fmt, args)]]
#else
#define QUILLRATE_PRINTF_FORMAT(fmt, args) [[gnu::format(gnu_printf, fmt, args)]]
#endif

// printf-style formatting into a std::string, independent of the process locale.
QUILLRATE_PRINTF_FORMAT(1, 2) std::string FormatC(const char* format, ...);

}  // namespace text
