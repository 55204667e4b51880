// `quillrate-cli drives`: the drive list as the device enumerates it.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "device/atapi_device.h"
#include "platform/drive_diagnostics.h"

namespace cli {

// What the list says when no drive could be opened although the system has some.
inline constexpr const char* kNoDriveOpenedText = "No drive could be opened.";

// The list of `device`'s drives (none for null) and, in JSON, the problems; a drive given by
// `devicePath` is listed under that path.
void PrintDrives(const device::AtapiDevice* device, bool json, std::ostream& out,
                 const std::vector<platform::DriveProblem>& problems,
                 const std::optional<std::string>& devicePath = std::nullopt);

}  // namespace cli
