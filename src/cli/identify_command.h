// quillrate-cli identify: the drive kind, the disc kind and the disc's identifiers.
#pragma once

#include <iosfwd>

#include "device/atapi_device.h"

namespace cli {

// Questions the selected drive the way the report does and prints what it learns.
void PrintIdentity(device::AtapiDevice& device, int index, bool json, std::ostream& out);

}  // namespace cli
