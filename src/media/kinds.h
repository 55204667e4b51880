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

// How a disc is recorded: pressed (or not known), once, or again and again.
enum class Recording : uint8_t { None, WriteOnce, Rewritable };

struct DiscKindInfo {
  DiscKind kind;
  std::string_view name;
  DiscFamily family;
  uint8_t layers;
  DvdIds ids;
  Recording recording;
  // The manufacturer key is the ADIP IDs (the drive vendor's media-ID answer where the drive
  // has it): the + discs, a DVD-R DL and every BD.
  bool adipKey;
};

// One row per kind, in code order.
inline constexpr std::array<DiscKindInfo, 29> kDiscKinds{{
    // clang-format off
    {DiscKind::None,             "NO MEDIA",              DiscFamily::None, 1, DvdIds::NotDvd, Recording::None,       false},
    {DiscKind::Unknown,          "UNKNOWN",               DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::None,       false},
    {DiscKind::CdRom,            "CD-ROM",                DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::None,       false},
    {DiscKind::CdR,              "CDR",                   DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRType1,         "CDR",                   DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeAMinus,    "CDR (A-)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeAPlus,     "CDR (A+)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeBMinus,    "CDR (B-)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeBPlus,     "CDR (B+)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeCMinus,    "CDR (C-)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRTypeCPlus,     "CDR (C+)",              DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::WriteOnce,  false},
    {DiscKind::CdRwNormal,       "NORMAL CD-RW",          DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::Rewritable, false},
    {DiscKind::CdRwHighSpeed,    "HIGH SPEED CD-RW",      DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::Rewritable, false},
    {DiscKind::CdRwUltraSpeed24, "ULTRA SPEED CD-RW 24X", DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::Rewritable, false},
    {DiscKind::CdRwUltraSpeed32, "ULTRA SPEED CD-RW 32X", DiscFamily::Cd,   1, DvdIds::NotDvd, Recording::Rewritable, false},
    {DiscKind::DvdRom,           "DVD-ROM",               DiscFamily::Dvd,  1, DvdIds::Minus,  Recording::None,       false},
    {DiscKind::DvdRam,           "DVD-RAM",               DiscFamily::Dvd,  1, DvdIds::Ram,    Recording::Rewritable, false},
    {DiscKind::DvdMinusR,        "DVD-R",                 DiscFamily::Dvd,  1, DvdIds::Minus,  Recording::WriteOnce,  false},
    {DiscKind::DvdMinusRw,       "DVD-RW",                DiscFamily::Dvd,  1, DvdIds::Minus,  Recording::Rewritable, false},
    {DiscKind::DvdPlusRw,        "DVD+RW",                DiscFamily::Dvd,  1, DvdIds::Plus,   Recording::Rewritable, true},
    {DiscKind::DvdPlusR,         "DVD+R",                 DiscFamily::Dvd,  1, DvdIds::Plus,   Recording::WriteOnce,  true},
    {DiscKind::DvdPlusRDl,       "DVD+R DL",              DiscFamily::Dvd,  2, DvdIds::Plus,   Recording::WriteOnce,  true},
    {DiscKind::DvdMinusRDl,      "DVD-R DL",              DiscFamily::Dvd,  2, DvdIds::Minus,  Recording::WriteOnce,  true},
    {DiscKind::BdRom,            "BD-ROM",                DiscFamily::Bd,   1, DvdIds::NotDvd, Recording::None,       true},
    {DiscKind::BdR,              "BD-R",                  DiscFamily::Bd,   1, DvdIds::NotDvd, Recording::WriteOnce,  true},
    {DiscKind::BdRe,             "BD-RE",                 DiscFamily::Bd,   1, DvdIds::NotDvd, Recording::Rewritable, true},
    {DiscKind::BdRomDl,          "BD-ROM DL",             DiscFamily::Bd,   2, DvdIds::NotDvd, Recording::None,       true},
    {DiscKind::BdRDl,            "BD-R DL",               DiscFamily::Bd,   2, DvdIds::NotDvd, Recording::WriteOnce,  true},
    {DiscKind::BdReDl,           "BD-RE DL",              DiscFamily::Bd,   2, DvdIds::NotDvd, Recording::Rewritable, true},
    // clang-format on
}};

struct DriveKindInfo {
  DriveKind kind;
  std::string_view name;
  bool writer;          // writes CDs at least
  bool dvdWriter;       // a DVD writer or a BD drive: one that may know the vendor media-ID
                        // command, and whose DVD write speed is asked for
  bool multiDvdWriter;  // writes both DVD formats, or a BD drive: its vendor media-ID answer
                        // holds the 12-byte ID of a - disc
};

// One row per kind, in code order.
inline constexpr std::array<DriveKindInfo, 17> kDriveKinds{{
    // clang-format off
    {DriveKind::Unknown,          "UNKNOWN",            false, false, false},
    {DriveKind::CdRom,            "CD-ROM",             false, false, false},
    {DriveKind::DvdRom,           "DVD-ROM",            false, false, false},
    {DriveKind::CdRw,             "CD-RW",              true,  false, false},
    {DriveKind::Combo,            "COMBO",              true,  false, false},
    {DriveKind::DvdMinusR,        "DVD-R",              true,  true,  false},
    {DriveKind::DvdPlusR,         "DVD+R",              true,  true,  false},
    {DriveKind::DvdPlusRw,        "DVD+RW",             true,  true,  false},
    {DriveKind::DvdMinusRw,       "DVD-RW",             true,  true,  false},
    {DriveKind::DvdPlusRPlusRw,   "DVD+R/+RW",          true,  true,  true},
    {DriveKind::DvdMinusRMinusRw, "DVD-R/-RW",          true,  true,  true},
    {DriveKind::DvdDual,          "DVD DUAL",           true,  true,  true},
    {DriveKind::DvdSuperMulti,    "DVD Super Multigen", true,  true,  true},
    {DriveKind::BdRom,            "BD-ROM",             true,  true,  true},
    {DriveKind::BdR,              "BD-R",               true,  true,  true},
    {DriveKind::BdRDual,          "BD-R DUAL",          true,  true,  true},
    {DriveKind::BdRecordable,     "BD-Recordable",      true,  true,  true},
    // clang-format on
}};

constexpr uint8_t Code(DriveKind kind) {
  return static_cast<uint8_t>(kind);
}
constexpr uint8_t Code(DiscKind kind) {
  return static_cast<uint8_t>(kind);
}

// The row of a kind; a value outside the table reads as the row of an unknown disc or drive.
const DiscKindInfo& InfoOf(DiscKind kind);
const DriveKindInfo& InfoOf(DriveKind kind);

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
  return IsCdFamily(kind) && InfoOf(kind).recording == Recording::WriteOnce;
}
inline bool IsCdRw(DiscKind kind) {
  return IsCdFamily(kind) && InfoOf(kind).recording == Recording::Rewritable;
}
// A DVD or a BD: the disc line says how many layers it has.
inline bool HasLayers(DiscKind kind) {
  return IsDvdFamily(kind) || IsBdFamily(kind);
}
inline bool HasAdipKey(DiscKind kind) {
  return InfoOf(kind).adipKey;
}

inline bool IsWriterKind(DriveKind kind) {
  return InfoOf(kind).writer;
}
inline bool IsDvdWriter(DriveKind kind) {
  return InfoOf(kind).dvdWriter;
}
inline bool IsMultiDvdWriter(DriveKind kind) {
  return InfoOf(kind).multiDvdWriter;
}

}  // namespace media
