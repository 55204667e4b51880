// The kinds of drive and disc the program tells apart. Their numeric codes are the ones the
// report's JSON and the drive list carry; everything known of a kind sits in one table row.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace media {

enum class DriveKind : uint8_t {
  Unknown,
  CdRom,
  DvdRom,
  CdRw,
  Combo,
  DvdMinusR,
  DvdPlusR,
  DvdPlusRw,
  DvdMinusRw,
  DvdPlusRPlusRw,
  DvdMinusRMinusRw,
  DvdDual,
  DvdSuperMulti,
  BdRom,
  BdR,
  BdRDual,
  BdRecordable,
};

enum class DiscKind : uint8_t {
  None,
  Unknown,
  CdRom,
  CdR,  // ATIP disc sub-type 0; the next seven follow the sub-type
  CdRType1,
  CdRTypeAMinus,
  CdRTypeAPlus,
  CdRTypeBMinus,
  CdRTypeBPlus,
  CdRTypeCMinus,
  CdRTypeCPlus,
  CdRwNormal,  // ATIP sub-type 0 of a rewritable disc; the next three follow the sub-type
  CdRwHighSpeed,
  CdRwUltraSpeed24,
  CdRwUltraSpeed32,
  DvdRom,
  DvdRam,
  DvdMinusR,
  DvdMinusRw,
  DvdPlusRw,
  DvdPlusR,
  DvdPlusRDl,
  DvdMinusRDl,
  BdRom,
  BdR,
  BdRe,
  BdRomDl,
  BdRDl,
  BdReDl,
};

// The report reads a disc's identification by family. An unknown disc is read as a CD.
enum class DiscFamily : uint8_t { None, Cd, Dvd, Bd };

// Where the report finds a DVD's manufacturer IDs: the vendor ADIP answer of a + disc, the
// DVD-RAM record of the physical format, or the pre-recorded information of the others.
enum class DvdIds : uint8_t { NotDvd, Plus, Ram, Minus };

struct DiscKindInfo {
  DiscKind kind;
  std::string_view name;
  DiscFamily family;
  uint8_t layers;
  DvdIds ids;
};

// One row per kind, in code order.
inline constexpr std::array<DiscKindInfo, 29> kDiscKinds{{
    // clang-format off
    {DiscKind::None,             "NO MEDIA",              DiscFamily::None, 1, DvdIds::NotDvd},
    {DiscKind::Unknown,          "UNKNOWN",               DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRom,            "CD-ROM",                DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdR,              "CDR",                   DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRType1,         "CDR",                   DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeAMinus,    "CDR (A-)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeAPlus,     "CDR (A+)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeBMinus,    "CDR (B-)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeBPlus,     "CDR (B+)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeCMinus,    "CDR (C-)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRTypeCPlus,     "CDR (C+)",              DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRwNormal,       "NORMAL CD-RW",          DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRwHighSpeed,    "HIGH SPEED CD-RW",      DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRwUltraSpeed24, "ULTRA SPEED CD-RW 24X", DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::CdRwUltraSpeed32, "ULTRA SPEED CD-RW 32X", DiscFamily::Cd,   1, DvdIds::NotDvd},
    {DiscKind::DvdRom,           "DVD-ROM",               DiscFamily::Dvd,  1, DvdIds::Minus},
    {DiscKind::DvdRam,           "DVD-RAM",               DiscFamily::Dvd,  1, DvdIds::Ram},
    {DiscKind::DvdMinusR,        "DVD-R",                 DiscFamily::Dvd,  1, DvdIds::Minus},
    {DiscKind::DvdMinusRw,       "DVD-RW",                DiscFamily::Dvd,  1, DvdIds::Minus},
    {DiscKind::DvdPlusRw,        "DVD+RW",                DiscFamily::Dvd,  1, DvdIds::Plus},
    {DiscKind::DvdPlusR,         "DVD+R",                 DiscFamily::Dvd,  1, DvdIds::Plus},
    {DiscKind::DvdPlusRDl,       "DVD+R DL",              DiscFamily::Dvd,  2, DvdIds::Plus},
    {DiscKind::DvdMinusRDl,      "DVD-R DL",              DiscFamily::Dvd,  2, DvdIds::Minus},
    {DiscKind::BdRom,            "BD-ROM",                DiscFamily::Bd,   1, DvdIds::NotDvd},
    {DiscKind::BdR,              "BD-R",                  DiscFamily::Bd,   1, DvdIds::NotDvd},
    {DiscKind::BdRe,             "BD-RE",                 DiscFamily::Bd,   1, DvdIds::NotDvd},
    {DiscKind::BdRomDl,          "BD-ROM DL",             DiscFamily::Bd,   2, DvdIds::NotDvd},
    {DiscKind::BdRDl,            "BD-R DL",               DiscFamily::Bd,   2, DvdIds::NotDvd},
    {DiscKind::BdReDl,           "BD-RE DL",              DiscFamily::Bd,   2, DvdIds::NotDvd},
    // clang-format on
}};

inline constexpr std::array<std::string_view, 17> kDriveKindNames{"UNKNOWN",
                                                                  "CD-ROM",
                                                                  "DVD-ROM",
                                                                  "CD-RW",
                                                                  "COMBO",
                                                                  "DVD-R",
                                                                  "DVD+R",
                                                                  "DVD+RW",
                                                                  "DVD-RW",
                                                                  "DVD+R/+RW",
                                                                  "DVD-R/-RW",
                                                                  "DVD DUAL",
                                                                  "DVD Super Multigen",
                                                                  "BD-ROM",
                                                                  "BD-R",
                                                                  "BD-R DUAL",
                                                                  "BD-Recordable"};

constexpr uint8_t Code(DriveKind kind) {
  return static_cast<uint8_t>(kind);
}
constexpr uint8_t Code(DiscKind kind) {
  return static_cast<uint8_t>(kind);
}

// The row of a kind; a value outside the table reads as the row of an unknown disc.
const DiscKindInfo& InfoOf(DiscKind kind);

// The kinds an ATIP disc sub-type (0 to 7) names: every sub-type of a write-once disc,
// the first four of a rewritable one.
DiscKind CdRKind(uint8_t subType);
DiscKind CdRwKind(uint8_t subType);  // DiscKind::Unknown past the fourth

// Name records: the drive names are padded with blanks to 9 characters in 19-byte records,
// the disc names to 21 characters followed by two NULs in 23-byte records.
using DriveKindRecord = std::array<char, 19>;
using DiscKindRecord = std::array<char, 23>;

const std::array<DriveKindRecord, 17>& DriveKindNames();
const std::array<DiscKindRecord, 29>& DiscKindNames();

// The name record of a kind; a value outside the table gives an empty text.
const char* DriveKindName(DriveKind kind);
const char* DiscKindName(DiscKind kind);

inline bool IsCdFamily(DiscKind kind) {
  return InfoOf(kind).family == DiscFamily::Cd;
}
inline bool IsDvdFamily(DiscKind kind) {
  return InfoOf(kind).family == DiscFamily::Dvd;
}
inline bool IsBdFamily(DiscKind kind) {
  return InfoOf(kind).family == DiscFamily::Bd;
}
inline bool IsDoubleLayer(DiscKind kind) {
  return InfoOf(kind).layers == 2;
}
// Write-once CDs of every ATIP sub-type, all shown as "CDR" in the report's disc line.
inline bool IsCdR(DiscKind kind) {
  return kind >= DiscKind::CdR && kind <= DiscKind::CdRTypeCPlus;
}

}  // namespace media
