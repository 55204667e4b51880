// The real platform on Linux: optical drives behind /dev/srN, one SG_IO per command, and
// the settings as a per-user file.
#pragma once

#include <memory>
#include <string>

#include "platform/linux/kernel_calls.h"
#include "platform/native_system.h"

namespace platform {

// The same rules over other kernel calls (which must outlive the system) and a settings
// file at `settingsPath`.
std::unique_ptr<System> CreateLinuxSystem(MessageSink& sink, KernelCalls& kernel,
                                          std::string settingsPath);

}  // namespace platform
