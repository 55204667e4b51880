#include "custom/save_prototype.h"

#include <filesystem>

namespace custom {

std::string EditionPath(const std::string& outputDir) {
  return (std::filesystem::path(outputDir.empty() ? "." : outputDir) / kEditionFileName).string();
}

WriteResult SavePrototype(std::span<const uint8_t> image, const std::string& outputDir,
                          const std::string& prototypePath) {
  return WriteExecutableFile(image, EditionPath(outputDir), {prototypePath});
}

}  // namespace custom
