// The drive selector's line for one listed drive, and which drives get a line.
#pragma once

#include <string>
#include <string_view>

#include "device/drive_entry.h"

namespace app::model {

// The drive field of a line: the root up to its end without the trailing backslash, at
// most two characters for a drive letter ("E:"), the device name on Linux ("sr0"), nothing
// for a drive found through an ASPI manager.
std::string DriveField(std::string_view root);

// "%2d-%d-%d-%d %.2s%24s %4s" of adapter, bus, target, LUN, drive field, display name and
// revision, cut to a 255-byte buffer; a device name (sr0) is followed by a space.
std::string DriveComboLine(const device::DriveEntry& entry);

// Writers get a line: CD-RW drives and every kind above them, and any drive that writes CD-R.
bool ListsDrive(const device::DriveEntry& entry);

}  // namespace app::model
