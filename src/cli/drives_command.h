// `quillrate-cli drives`: the drive list as the device enumerates it.
#pragma once

#include <iosfwd>
#include <vector>

#include "device/atapi_device.h"
#include "platform/drive_diagnostics.h"

namespace cli {

void PrintDrives(const device::AtapiDevice& device, bool json, std::ostream& out,
                 const std::vector<platform::DriveProblem>& problems);

}  // namespace cli
