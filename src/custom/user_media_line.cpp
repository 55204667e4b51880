#include "custom/user_media_line.h"

#include <algorithm>
#include <cstring>

#include "custom/ascii_case.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace custom {
namespace {

// Character positions are counted from 1 on the trimmed line.
constexpr size_t kCdMinLength = 15;
constexpr size_t kCdSeparatorPosition = 7;
constexpr size_t kCdEqualsPosition = 14;
constexpr size_t kCdLeadOutPosition = 8;
constexpr size_t kCdTextPosition = 15;
constexpr size_t kDvdMinLength = 26;
constexpr size_t kDvdEqualsPosition = 25;
constexpr size_t kDvdTextPosition = 26;
constexpr size_t kDvdKeyPairs = 12;

bool FirstIsAt(std::string_view line, char c, size_t position) {
  return line.find(c) == position - 1;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const uint8_t upper = ToUpperAscii(static_cast<uint8_t>(c));
  if (upper >= 'A' && upper <= 'F') return upper - 'A' + 10;
  return -1;
}

void ParseCdLine(std::string_view line, UserMediaLine& out) {
  if (line.size() < kCdMinLength) {
    out.reason = UserMediaSkipReason::CdTooShort;
    return;
  }
  if (!FirstIsAt(line, '=', kCdEqualsPosition) && !FirstIsAt(line, '_', kCdSeparatorPosition)) {
    out.reason = UserMediaSkipReason::CdNoSeparator;
    return;
  }
  // Characters beyond the row's width are dropped, never half of one.
  const std::string_view text = line.substr(kCdTextPosition - 1);
  std::memcpy(out.cd.LeadInKey.data(), line.data(), out.cd.LeadInKey.size());
  std::memcpy(out.cd.LeadOutKey.data(), line.data() + kCdLeadOutPosition - 1,
              out.cd.LeadOutKey.size());
  std::memcpy(out.cd.DisplayText.data(), text.data(),
              text::CutLength(text, out.cd.DisplayText.size()));
  out.kind = UserMediaLineKind::CdRow;
}

void ParseDvdLine(std::string_view line, UserMediaLine& out) {
  if (line.size() < kDvdMinLength) {
    out.reason = UserMediaSkipReason::DvdTooShort;
    return;
  }
  if (!FirstIsAt(line, '=', kDvdEqualsPosition)) {
    out.reason = UserMediaSkipReason::DvdNoEquals;
    return;
  }
  for (size_t pair = 0; pair < kDvdKeyPairs; ++pair) {
    const int high = HexDigit(line[2 * pair]);
    const int low = HexDigit(line[2 * pair + 1]);
    if (high < 0 || low < 0) {
      out.reason = UserMediaSkipReason::DvdNotHex;
      out.badPair = static_cast<int>(pair) + 1;
      return;
    }
    out.dvd.MediaIdKey[pair] = static_cast<uint8_t>(high * 16 + low);
  }
  const std::string_view text = line.substr(kDvdTextPosition - 1);
  std::memcpy(out.dvd.DisplayText.data(), text.data(),
              text::CutLength(text, out.dvd.DisplayText.size()));
  out.kind = UserMediaLineKind::DvdRow;
}

}  // namespace

std::string_view TrimUserMediaLine(std::string_view line) {
  auto isBlank = [](char c) { return static_cast<uint8_t>(c) <= ' '; };
  while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
  return line;
}

UserMediaLine ParseUserMediaLine(std::string_view line, UserMediaSection& section) {
  UserMediaLine out;
  const std::string_view trimmed = TrimUserMediaLine(line);
  out.text = std::string(trimmed);
  const std::string upper = ToUpperAscii(trimmed);
  if (upper == "[CD]") {
    section = UserMediaSection::Cd;
    out.kind = UserMediaLineKind::CdHeader;
    return out;
  }
  if (upper == "[DVD]") {
    section = UserMediaSection::Dvd;
    out.kind = UserMediaLineKind::DvdHeader;
    return out;
  }
  if (trimmed.empty()) return out;
  UserMediaLine row = ParseMediaRow(trimmed, section);
  const bool taken = row.kind == UserMediaLineKind::CdRow || row.kind == UserMediaLineKind::DvdRow;
  if (taken && trimmed.find('\0') != std::string_view::npos) {
    row.kind = UserMediaLineKind::Skipped;
    row.reason = UserMediaSkipReason::NulByte;
    row.cd = {};
    row.dvd = {};
  }
  return row;
}

UserMediaLine ParseMediaRow(std::string_view trimmed, UserMediaSection section) {
  UserMediaLine out;
  out.text = std::string(trimmed);
  out.kind = UserMediaLineKind::Skipped;
  switch (section) {
    case UserMediaSection::None:
      out.reason = UserMediaSkipReason::NoSection;
      break;
    case UserMediaSection::Cd:
      ParseCdLine(trimmed, out);
      break;
    case UserMediaSection::Dvd:
      ParseDvdLine(trimmed, out);
      break;
  }
  return out;
}

std::string BadPairText(const UserMediaLine& line) {
  if (line.reason != UserMediaSkipReason::DvdNotHex || line.badPair < 1) return {};
  const size_t at = 2 * static_cast<size_t>(line.badPair - 1);
  std::string pair = "0x";
  pair.append(line.text, at, 2);
  return pair;
}

std::string SkipReasonText(const UserMediaLine& line) {
  switch (line.reason) {
    case UserMediaSkipReason::None:
      return {};
    case UserMediaSkipReason::NoSection:
      return "no section yet (data before the first [CD] or [DVD] header)";
    case UserMediaSkipReason::CdTooShort:
      return text::FormatC("too short: %zu characters, a CD line needs at least 15",
                           line.text.size());
    case UserMediaSkipReason::CdNoSeparator:
      return "neither \"=\" at position 14 nor \"_\" at position 7";
    case UserMediaSkipReason::DvdTooShort:
      return text::FormatC("too short: %zu characters, a DVD line needs at least 26",
                           line.text.size());
    case UserMediaSkipReason::DvdNoEquals:
      return "\"=\" not at position 25";
    case UserMediaSkipReason::DvdNotHex:
      return text::FormatC("not hexadecimal: pair %d (positions %d-%d)", line.badPair,
                           2 * line.badPair - 1, 2 * line.badPair);
    case UserMediaSkipReason::NulByte:
      return text::FormatC("holds a NUL byte at position %zu, where its text would end",
                           line.text.find('\0') + 1);
  }
  return {};
}

}  // namespace custom
