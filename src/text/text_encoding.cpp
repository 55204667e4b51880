#include "text/text_encoding.h"

#include <cstdint>

namespace text {
namespace {

// Code points of bytes 80h-9Fh; 0 marks the five bytes that Windows-1252 leaves unused,
// which are shown as U+FFFD.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr uint32_t kReplacement = 0xFFFD;
constexpr uint32_t kControlPictures = 0x2400;  // U+2400 + n pictures C0 control n
constexpr uint32_t kDeletePicture = 0x2421;

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The length of the valid UTF-8 sequence at `at`, with its code point; 0 when there is none.
size_t DecodeAt(std::string_view text, size_t at, uint32_t& cp) {
  const uint8_t lead = static_cast<uint8_t>(text[at]);
  size_t length = 0;
  uint32_t lowest = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const uint8_t next = static_cast<uint8_t>(text[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (next & 0x3F);
  }
  if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

uint32_t Cp1252CodePoint(uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  return kHighControls[byte - 0x80] != 0 ? kHighControls[byte - 0x80] : kReplacement;
}

uint32_t Visible(uint32_t cp, LineBreaks breaks) {
  if (cp == '\n' && breaks == LineBreaks::Kept) return cp;
  if (cp < 0x20) return kControlPictures + cp;
  if (cp == 0x7F) return kDeletePicture;
  if (cp >= 0x80 && cp < 0xA0) return kReplacement;
  return cp;
}

// Calls `emit` with every character of the text, read as UTF-8 or as Windows-1252.
template <typename Emit>
void ForEachCharacter(std::string_view text, Emit emit) {
  if (IsUtf8(text)) {
    uint32_t cp = 0;
    for (size_t at = 0; at < text.size();) {
      at += DecodeAt(text, at, cp);
      emit(cp);
    }
    return;
  }
  for (char c : text) emit(Cp1252CodePoint(static_cast<uint8_t>(c)));
}

}  // namespace

bool IsUtf8(std::string_view text) {
  uint32_t cp = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t length = DecodeAt(text, at, cp);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(out, Cp1252CodePoint(static_cast<uint8_t>(c)));
  return out;
}

std::string TextToUtf8(std::string_view text) {
  if (IsUtf8(text)) return std::string(text);
  return Cp1252ToUtf8(text);
}

std::string VisibleText(std::string_view text, LineBreaks breaks) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](uint32_t cp) { AppendUtf8(out, Visible(cp, breaks)); });
  return out;
}

size_t CutLength(std::string_view text, size_t width) {
  if (text.size() <= width) return text.size();
  if (!IsUtf8(text)) return width;
  size_t cut = width;
  // Continuation bytes belong to the character that started before them.
  while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

std::string EscapeJsonControls(std::string_view json) {
  std::string out;
  out.reserve(json.size());
  static constexpr char kHex[] = "0123456789abcdef";
  for (size_t i = 0; i < json.size(); ++i) {
    const auto byte = static_cast<unsigned char>(json[i]);
    unsigned code = 0x100;  // none
    if (byte == 0x7F) {
      code = 0x7F;
    } else if (byte == 0xC2 && i + 1 < json.size()) {
      const auto next = static_cast<unsigned char>(json[i + 1]);
      if (next >= 0x80 && next <= 0x9F) {
        code = next;
        ++i;
      }
    }
    if (code == 0x100) {
      out.push_back(json[i]);
      continue;
    }
    out += "\\u00";
    out.push_back(kHex[code >> 4]);
    out.push_back(kHex[code & 0xF]);
  }
  return out;
}

}  // namespace text
