#include "media/upper_case.h"

namespace media {

uint8_t UpperCp1252(uint8_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 0x20);
  switch (c) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
      return static_cast<uint8_t>(c - 0x10);
    case 0xFF:  // y diaeresis
      return 0x9F;
    case 0xF7:  // division sign
      return c;
    default:
      break;
  }
  // a grave to thorn; sharp s (DFh) has no capital.
  if (c >= 0xE0 && c <= 0xFE) return static_cast<uint8_t>(c - 0x20);
  return c;
}

std::string UpperCp1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(UpperCp1252(static_cast<uint8_t>(c)));
  return out;
}

}  // namespace media
