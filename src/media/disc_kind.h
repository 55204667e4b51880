// What kind of disc lies in the selected drive, with the BD disc information and the DVD-RAM
// identification that the classification read for the report.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

// Offsets in the BD disc information record.
inline constexpr size_t kBdTypeAt = 0;        // "BDO", "BDR" or "BDW", then a NUL
inline constexpr size_t kBdMidAt = 4;         // 6 bytes, only for BDR and BDW
inline constexpr size_t kBdTidAt = 10;        // 3 bytes
inline constexpr size_t kBdTimeStampAt = 13;  // 2 bytes
inline constexpr size_t kBdRevisionAt = 15;
inline constexpr size_t kBdDualLayerAt = 16;  // 1 or 0

// Offsets in the DVD-RAM record, the 64 bytes from offset 553 of the physical
// format: the manufacturer ID, then the manufacturer's supplementary information.
inline constexpr size_t kDvdRamMidAt = 0;   // 8 bytes
inline constexpr size_t kDvdRamMsiAt = 48;  // 8 bytes

using BdDiscRecord = std::array<uint8_t, 17>;
using DvdRamRecord = std::array<uint8_t, 64>;

// The classification of one disc: its kind, and the records read on the way (all zeros when
// the disc has none).
struct DiscClass {
  DiscKind kind = DiscKind::None;
  BdDiscRecord bd{};      // a BD's, from its disc information
  DvdRamRecord dvdRam{};  // a DVD-RAM's, from its physical format
};

// Waits for the drive, then reads the physical format, the BD disc information, the ATIP
// and the current profile as needed. Only a CD-ROM drive matters for the classification
// of the drive: a caller that already knows the drive kind passes it, otherwise the drive
// is classified here.
DiscClass ClassifyDisc(device::AtapiDevice& device,
                       std::optional<DriveKind> driveKind = std::nullopt);
inline DiscKind DetectDiscKind(device::AtapiDevice& device,
                               std::optional<DriveKind> driveKind = std::nullopt) {
  return ClassifyDisc(device, driveKind).kind;
}

// A DVD-RAM's record from the physical format; all zeros when it cannot be read.
DvdRamRecord ReadDvdRamRecord(device::AtapiDevice& device);

// True when the record's BD identifier is "BDO".
bool IsBdRom(const BdDiscRecord& record);

}  // namespace media
