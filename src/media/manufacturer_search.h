// The probable manufacturer of a disc from the built-in tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/atapi_device.h"
#include "media/kinds.h"
#include "media/media_facts.h"

namespace media {

// The name of the range that holds the lead-in, "Unknown Manufacturer" when none does.
std::string_view FindCdManufacturer(uint32_t leadIn);

// First pass of the plus search: a key equal to the whole ID text (case-sensitive).
std::optional<std::string_view> FindDvdKeyEqual(std::string_view id);
// A key that occurs anywhere in the upper-cased ID text.
std::optional<std::string_view> FindDvdKeyInside(std::string_view id);

// The built-in manufacturer of the disc the query has classified, or an empty text.
std::string FindBuiltInManufacturer(device::AtapiDevice& device, const MediaFacts& facts);

// The same for a caller that has read nothing yet: waits for the drive, classifies the disc
// (none given) and reads what the search needs. A caller that knows the drive kind passes it;
// otherwise it is read when an ID reader needs it.
std::string FindBuiltInManufacturer(device::AtapiDevice& device, std::optional<DiscKind> kind,
                                    std::optional<DriveKind> driveKind = std::nullopt);

}  // namespace media
