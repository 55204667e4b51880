// Drive and disc kind codes, their display-name tables and the layer rule.
#pragma once

#include <array>
#include <cstdint>

namespace media {

using DriveKind = uint8_t;  // 0 to 16
using DiscKind = uint8_t;   // 0 to 28

inline constexpr DriveKind kDriveUnknown = 0;
inline constexpr DriveKind kDriveCdRom = 1;
inline constexpr DriveKind kDriveCombo = 4;
inline constexpr DriveKind kLastDriveKind = 16;

inline constexpr DiscKind kDiscNone = 0;
inline constexpr DiscKind kDiscUnknown = 1;
inline constexpr DiscKind kDiscCdRom = 2;
inline constexpr DiscKind kDiscCdR = 3;    // ATIP sub-type 0; 3 + sub-type up to 10
inline constexpr DiscKind kDiscCdRw = 11;  // 11 to 14 by sub-type
inline constexpr DiscKind kDiscDvdRom = 15;
inline constexpr DiscKind kDiscDvdRam = 16;
inline constexpr DiscKind kDiscDvdR = 17;
inline constexpr DiscKind kDiscDvdRw = 18;
inline constexpr DiscKind kDiscDvdPlusRw = 19;
inline constexpr DiscKind kDiscDvdPlusR = 20;
inline constexpr DiscKind kDiscDvdPlusRDl = 21;
inline constexpr DiscKind kDiscDvdRDl = 22;
inline constexpr DiscKind kDiscBdRom = 23;
inline constexpr DiscKind kLastDiscKind = 28;
// Not a kind: asks the manufacturer search to classify the disc itself.
inline constexpr DiscKind kClassifyNow = 99;

// Name records: the drive names are padded with blanks to 9 characters in 19-byte records,
// the disc names to 21 characters followed by two NULs in 23-byte records.
using DriveKindRecord = std::array<char, 19>;
using DiscKindRecord = std::array<char, 23>;

const std::array<DriveKindRecord, 17>& DriveKindNames();
const std::array<DiscKindRecord, 29>& DiscKindNames();

// The name record of a kind; a code outside the table gives an empty text.
const char* DriveKindName(DriveKind kind);
const char* DiscKindName(DiscKind kind);

bool IsCdFamily(DiscKind kind);   // 1 to 14
bool IsDvdFamily(DiscKind kind);  // 15 to 22
bool IsBdFamily(DiscKind kind);   // 23 to 28

// Double layer when "DL" occurs in the kind's name at a 1-based position of 6 or more.
bool IsDoubleLayer(DiscKind kind);

}  // namespace media
