// The real platform of the system the program was built for.
#pragma once

#include <memory>

#include "platform/system.h"

namespace platform {

// The system the program runs on. Messages go to `sink`.
std::unique_ptr<System> CreateNativeSystem(MessageSink& sink);

}  // namespace platform
