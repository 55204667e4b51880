// `quillrate-cli drives`: the drive list as the device enumerates it.
#pragma once

#include <iosfwd>

#include "device/atapi_device.h"

namespace cli {

void PrintDrives(const device::AtapiDevice& device, bool json, std::ostream& out);

}  // namespace cli
