#include "text/format_c.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "text/c_locale.h"

namespace text {

std::string FormatC(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = InCLocale([&] {
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<size_t>(needed));
  });
  va_end(args);
  return out;
}

}  // namespace text
