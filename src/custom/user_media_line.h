// One line of the user media file: headers, the CD and DVD line tests, and the rows they
// give. The loader and the checker both go through ParseUserMediaLine; the builder's [CD] and
// [DVD] rows follow the same tests and go through ParseMediaRow.
#pragma once

#include <string>
#include <string_view>

#include "custom/media_entries.h"

namespace custom {

enum class UserMediaSection { None, Cd, Dvd };

enum class UserMediaLineKind { Blank, CdHeader, DvdHeader, CdRow, DvdRow, Skipped };

enum class UserMediaSkipReason {
  None,
  NoSection,      // a data line before the first header
  CdTooShort,     // fewer than 15 characters
  CdNoSeparator,  // neither the first "=" at position 14 nor the first "_" at position 7
  DvdTooShort,    // fewer than 26 characters
  DvdNoEquals,    // the first "=" is not at position 25
  DvdNotHex,      // one of the twelve pairs is not two hexadecimal digits
  NulByte,        // a row of the user media file whose text holds a NUL byte
};

struct UserMediaLine {
  UserMediaLineKind kind = UserMediaLineKind::Blank;
  UserMediaSkipReason reason = UserMediaSkipReason::None;
  int badPair = 0;      // DvdNotHex: the first bad pair, counted from 1
  std::string text;     // the trimmed line
  CdMediaEntry cd{};    // CdRow
  DvdMediaEntry dvd{};  // DvdRow
};

// Removes every character with a code from 0 to 32 at both ends.
std::string_view TrimUserMediaLine(std::string_view line);

// Tests one trimmed, non-blank data line of a [CD] or [DVD] section and builds its row:
// kind CdRow or DvdRow when taken, Skipped with the reason otherwise. A DVD line that passes
// the length and "=" tests but holds a pair that is not hexadecimal is DvdNotHex: the user
// file skips it, the builder stops there.
UserMediaLine ParseMediaRow(std::string_view trimmed, UserMediaSection section);

// The first bad pair of a DvdNotHex line, as the integer conversion names it: "0x" and the
// two characters.
std::string BadPairText(const UserMediaLine& line);

// Classifies one line (already cut into a piece of at most 2047 characters) in the current
// section; a header switches `section`. A row holding a NUL byte is skipped: its text would
// end there without a word.
UserMediaLine ParseUserMediaLine(std::string_view line, UserMediaSection& section);

// A short English description of why a line was skipped.
std::string SkipReasonText(const UserMediaLine& line);

}  // namespace custom
