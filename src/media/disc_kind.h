// What kind of disc lies in the selected drive. Leaves the BD disc information and the
// DVD-RAM identification in the device for the report.
#pragma once

#include <optional>

#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

// Offsets in the device's BdDiscInfo record.
inline constexpr size_t kBdTypeAt = 0;        // "BDO", "BDR" or "BDW", then a NUL
inline constexpr size_t kBdMidAt = 4;         // 6 bytes, only for BDR and BDW
inline constexpr size_t kBdTidAt = 10;        // 3 bytes
inline constexpr size_t kBdTimeStampAt = 13;  // 2 bytes
inline constexpr size_t kBdRevisionAt = 15;
inline constexpr size_t kBdDualLayerAt = 16;  // 1 or 0

// Offsets in the device's DvdRamInfo record, the 64 bytes from offset 553 of the physical
// format: the manufacturer ID, then the manufacturer's supplementary information.
inline constexpr size_t kDvdRamMidAt = 0;   // 8 bytes
inline constexpr size_t kDvdRamMsiAt = 48;  // 8 bytes

// Waits for the drive, then reads the physical format, the BD disc information, the ATIP
// and the current profile as needed. Only a CD-ROM drive matters for the classification
// of the drive: a caller that already knows the drive kind passes it, otherwise the drive
// is classified here.
DiscKind DetectDiscKind(device::AtapiDevice& device,
                        std::optional<DriveKind> driveKind = std::nullopt);

// True when the BD identifier left by the last BD classification is "BDO".
bool IsBdRom(device::AtapiDevice& device);

}  // namespace media
