// The manufacturer line's text: the user's media file first, then the OEM's tables in the
// executable, then the built-in tables.
#pragma once

#include <cstdint>
#include <span>

#include "custom/media_entries.h"
#include "custom/media_row_match.h"
#include "device/atapi_device.h"
#include "media/kinds.h"
#include "media/media_facts.h"

namespace media {

struct ManufacturerSources {
  std::span<const custom::CdMediaEntry> userCdRows;
  std::span<const custom::DvdMediaEntry> userDvdRows;
  std::span<const custom::CdMediaEntry> blockCdRows;    // the OEM's 500 rows
  std::span<const custom::DvdMediaEntry> blockDvdRows;  // the OEM's 500 rows
};

// The disc of what the query has read (`facts`: the kinds, a CD's ATIP times, the IDs). A
// match's text may be empty (an all-zero DVD row); no match at all is source None.
custom::ManufacturerMatch FindManufacturerText(device::AtapiDevice& device, const MediaFacts& facts,
                                               const ManufacturerSources& sources);

}  // namespace media
