// Choosing the platform once, at start: the real one, or a simulated machine.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/system.h"

namespace platform {

struct PlatformChoice {
  // None: the real platform. An empty path: the demonstration machine built into the
  // program. Otherwise: the machine described by that fixture file.
  std::optional<std::string> simulate;
};

// Throws std::runtime_error with a readable message when a fixture cannot be loaded.
std::unique_ptr<System> CreateSystem(const PlatformChoice& choice, MessageSink& messages);

}  // namespace platform
