#include "app/model/fit_text.h"

namespace app::model {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The start of `text` with its first `length` bytes, made shorter to a character boundary, and
// without the blanks before the cut.
std::string StartOf(const std::string& text, size_t length) {
  while (length > 0 && length < text.size() && IsContinuationByte(text[length])) --length;
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t')) --length;
  return text.substr(0, length);
}

}  // namespace

std::string CutToFit(const std::string& text, const std::function<bool(const std::string&)>& fits) {
  if (fits(text)) return text;
  // The longest start that fits: whether a start fits only grows shorter with its length, so
  // a binary search over the byte lengths finds it.
  size_t shortest = 0;
  size_t longest = text.size();
  while (shortest < longest) {
    const size_t middle = (shortest + longest + 1) / 2;
    if (fits(StartOf(text, middle) + kEllipsis)) {
      shortest = middle;
    } else {
      longest = middle - 1;
    }
  }
  return StartOf(text, shortest) + kEllipsis;
}

}  // namespace app::model
