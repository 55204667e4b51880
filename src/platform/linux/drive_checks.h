// Why an optical device of this machine cannot be used, checked through the kernel calls so
// that every rule can be tested against a fake kernel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/drive_diagnostics.h"
#include "platform/linux/kernel_calls.h"

namespace platform {

// Every sr device sysfs lists: whether it opens for commands, and whether its sg node does.
std::vector<DriveProblem> DiagnoseDrives(KernelCalls& kernel);

// Why the device at `path` (as the user gave it) cannot be used as a drive: it is missing,
// not a device, not an optical drive (neither a CD-ROM block device nor a SCSI generic node
// that answers the sg version request), or it cannot be opened; none when it can be used.
std::optional<DriveProblem> CheckDevicePath(KernelCalls& kernel, const std::string& path);

}  // namespace platform
