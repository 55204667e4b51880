#include "device/format_c.h"

#include <locale.h>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace device {
namespace {

// One "C" locale object for the process, switched in per call for this thread only.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

std::string FormatC(const char* format, ...) {
  const locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (needed > 0) {
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    out.assign(buffer.data(), static_cast<size_t>(needed));
  }
  va_end(args);
  uselocale(previous);
  return out;
}

}  // namespace device
