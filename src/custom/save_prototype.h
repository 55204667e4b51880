// Saving a built prototype as the new edition's executable file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "custom/executable_writer.h"

namespace custom {

// The name of every edition the builder writes.
inline constexpr const char* kEditionFileName = "Quillrate.exe";

// The edition's path in `outputDir`.
std::string EditionPath(const std::string& outputDir);

// Writes `image` as "Quillrate.exe" in `outputDir`, complete or not at all, never over the
// running program or over the prototype file it was loaded from.
WriteResult SavePrototype(std::span<const uint8_t> image, const std::string& outputDir,
                          const std::string& prototypePath);

}  // namespace custom
