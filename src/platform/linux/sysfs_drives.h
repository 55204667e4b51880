// What sysfs tells about the CD-ROM block devices: their names, their SCSI device type,
// their SCSI address and their sg node.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/linux/kernel_calls.h"
#include "platform/system.h"

namespace platform {

// The sr block devices (sr0, sr1, ..., sr10) in numeric order; empty when sysfs cannot be
// read.
std::vector<std::string> SrDeviceNames(KernelCalls& kernel);

// Cdrom for a device whose SCSI peripheral type is 5; NoRootDir otherwise, and when the
// type cannot be read.
DriveType SrDriveType(KernelCalls& kernel, const std::string& name);

// The host:channel:target:lun at the end of the device's sysfs link; none when the link
// is missing or does not end in four numbers that fit the address fields.
std::optional<ScsiAddress> SrScsiAddress(KernelCalls& kernel, const std::string& name);

// The address named by "H:C:T:L"; none for any other text.
std::optional<ScsiAddress> ParseHctl(const std::string& text);

// The drive's SCSI generic node, such as /dev/sg1 for sr0; empty when it has none (the sg
// module is not loaded).
std::string SrSgNode(KernelCalls& kernel, const std::string& name);

}  // namespace platform
