// The C runtime of Windows has no locale_t to switch to; its printf follows setlocale. The
// thread takes a locale of its own for the call, set to "C" for numbers, and gives it back.
#include <locale.h>

#include "text/c_locale.h"

namespace text {

std::string InCLocale(const std::function<std::string()>& format) {
  const int previousConfig = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
  const char* current = setlocale(LC_NUMERIC, nullptr);
  const std::string previous = current != nullptr ? current : "C";
  setlocale(LC_NUMERIC, "C");
  std::string out = format();
  setlocale(LC_NUMERIC, previous.c_str());
  _configthreadlocale(previousConfig);
  return out;
}

}  // namespace text
