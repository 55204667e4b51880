#include "text/hex_text.h"

namespace text {

std::string HexBytes(std::span<const uint8_t> bytes, std::string_view separator) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * (2 + separator.size()));
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += separator;
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

}  // namespace text
