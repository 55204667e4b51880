// The manufacturer line's text: the user's media file first, then the OEM's tables in the
// executable, then the built-in tables.
#pragma once

#include <cstdint>
#include <span>

#include "custom/media_entries.h"
#include "custom/media_row_match.h"
#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

struct ManufacturerSources {
  std::span<const custom::CdMediaEntry> userCdRows;
  std::span<const custom::DvdMediaEntry> userDvdRows;
  std::span<const custom::CdMediaEntry> blockCdRows;    // the OEM's 500 rows
  std::span<const custom::DvdMediaEntry> blockDvdRows;  // the OEM's 500 rows
};

// `leadIn` and `leadOut` are the ATIP time numbers of a CD (0 for other discs). A match's
// text may be empty (an all-zero DVD row); no match at all is source None.
custom::ManufacturerMatch FindManufacturerText(device::AtapiDevice& device, DriveKind driveKind,
                                               DiscKind kind, uint32_t leadIn, uint32_t leadOut,
                                               const ManufacturerSources& sources);

}  // namespace media
