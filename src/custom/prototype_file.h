// The prototype of a build: the executable file whose copy becomes the new edition.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace custom {

// The running program's own executable file.
inline constexpr const char* kRunningProgramPath = "/proc/self/exe";

// Reads the whole file. Nothing when it is not a regular file, cannot be opened, cannot be
// held in memory, or gives fewer bytes than its size.
std::optional<std::vector<uint8_t>> LoadPrototype(const std::string& path = kRunningProgramPath);

}  // namespace custom
