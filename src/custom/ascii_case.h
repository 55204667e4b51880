// Letter case of the program's 8-bit texts, folded with a fixed table: media IDs, keys and
// headers must compare the same whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace custom {

constexpr uint8_t ToUpperAscii(uint8_t c) {
  return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 'a' + 'A') : c;
}

constexpr uint8_t ToLowerAscii(uint8_t c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c - 'A' + 'a') : c;
}

inline std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(ToUpperAscii(static_cast<uint8_t>(c)));
  return upper;
}

constexpr bool EqualIgnoringCase(uint8_t a, uint8_t b) {
  return ToUpperAscii(a) == ToUpperAscii(b);
}

}  // namespace custom
