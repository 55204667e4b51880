// The real platform on Linux: optical drives behind /dev/srN, one SG_IO per command, and
// the settings as a per-user file.
#pragma once

#include <memory>

#include "platform/system.h"

namespace platform {

// The system the program runs on. Messages go to `sink`.
std::unique_ptr<System> CreateNativeSystem(MessageSink& sink);

}  // namespace platform
