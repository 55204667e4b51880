// Fixed-width, NUL-terminated 8-bit text fields.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "text/text_encoding.h"

namespace text {

// The text of a field up to its first NUL, never past its width.
template <typename Char, size_t N>
std::string_view TextOf(const std::array<Char, N>& field) {
  const char* data = reinterpret_cast<const char*>(field.data());
  return {data, static_cast<size_t>(std::find(data, data + N, '\0') - data)};
}

// Zeroes the field and copies at most width - 1 bytes of `text` into it, never half a
// character.
template <typename Char, size_t N>
void SetText(std::array<Char, N>& field, std::string_view text) {
  field.fill(Char{0});
  std::memcpy(field.data(), text.data(), CutLength(text, N - 1));
}

// The text without the blanks that pad it to its field's width.
inline std::string TrimTrailingBlanks(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return std::string(last == std::string_view::npos ? std::string_view()
                                                    : text.substr(0, last + 1));
}

}  // namespace text
