// A system whose only drive is the device at one path (quillrate-cli --device PATH): the
// drive list holds that device alone, under a root named after it, and commands reach it by
// pass-through, so a drive the system's own list leaves out can still be asked.
#pragma once

#include <memory>
#include <string>

#include "platform/system.h"

namespace platform {

// The root a device path is listed under: "E:\" for \\.\E:, otherwise the path's last part
// cut to the 7 characters a root holds ("sr0" for /dev/sr0 and \\?\unix\dev\sr0).
std::string DeviceRootName(const std::string& path);

std::unique_ptr<System> WithOnlyDevice(std::unique_ptr<System> inner, std::string path);

}  // namespace platform
