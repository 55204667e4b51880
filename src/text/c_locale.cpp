#include "text/c_locale.h"

#include <locale.h>

namespace text {
namespace {

// One "C" locale object for the process, switched in per call for this thread only.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

std::string InCLocale(const std::function<std::string()>& format) {
  const locale_t previous = uselocale(CLocale());
  std::string out = format();
  uselocale(previous);
  return out;
}

}  // namespace text
