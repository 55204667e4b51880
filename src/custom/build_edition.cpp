#include "custom/build_edition.h"

#include <cstring>
#include <filesystem>
#include <memory>

#include "custom/apply_property_file.h"
#include "custom/find_block.h"
#include "custom/property_file.h"
#include "custom/save_prototype.h"
#include "custom/user_media_line.h"

namespace custom {
namespace {

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

BuildOutcome BuildError(BuildStatus status, std::string text) {
  return {status, "Error", MessageIcon::Stop, std::move(text), {}};
}

std::string BlockSearchErrorText(bool truncated) {
  return truncated ? "Customization block incomplete in prototype !"
                   : "Customization block not found in prototype !";
}

BuildOutcome BuildEdition(const BuildRequest& request) {
  const std::string path(TrimUserMediaLine(request.propertyPath));
  if (path.empty()) return BuildError(BuildStatus::NoFileSelected, "No file selected !");
  if (!IsRegularFile(path)) return BuildError(BuildStatus::FileNotExists, "File not exists !");

  std::vector<std::string> lines;
  if (ReadPropertyFile(path, lines) != UserMediaFileStatus::Read) {
    return BuildError(BuildStatus::PropertyFileUnreadable, "Property file cannot be read !");
  }
  auto image = LoadPrototype(request.prototypePath);
  if (!image) return BuildError(BuildStatus::LoadPrototypeFailed, "Load prototype failed !");

  const BlockSearch found = FindBlock(*image);
  if (found.status != BlockSearchStatus::Found) {
    return BuildError(BuildStatus::NoBlock,
                      BlockSearchErrorText(found.status == BlockSearchStatus::Truncated));
  }
  // The block may sit at any byte offset of the file: fill a copy, then put it back.
  auto block = std::make_unique<CustomizationBlock>();
  std::memcpy(block.get(), image->data() + found.offset, sizeof(CustomizationBlock));
  const ApplyResult applied = ApplyPropertyFile(lines, *block);
  if (!applied.ok) return BuildError(BuildStatus::BadHexPair, applied.error);
  std::memcpy(image->data() + found.offset, block.get(), sizeof(CustomizationBlock));

  const std::string output = EditionPath(request.outputDir);
  const WriteResult saved = SavePrototype(*image, request.outputDir, request.prototypePath);
  if (!saved.ok()) return BuildError(BuildStatus::SaveFailed, WriteErrorText(saved, output));
  return {BuildStatus::Created, "Information", MessageIcon::Information,
          "File created successfully !", output};
}

}  // namespace custom
