#include "custom/build_edition.h"

#include <cstring>
#include <memory>

#include "custom/apply_property_file.h"
#include "custom/find_block.h"
#include "custom/property_file.h"
#include "custom/save_prototype.h"
#include "custom/user_media_line.h"

namespace custom {

BuildOutcome BuildError(BuildStatus status, std::string text, std::string detail) {
  return {status, "Error", MessageIcon::Stop, std::move(text), {}, std::move(detail)};
}

std::string BlockSearchErrorText(bool truncated) {
  return truncated ? "Customization block incomplete in prototype !"
                   : "Customization block not found in prototype !";
}

std::string FileErrorDetail(const std::string& path, const std::string& reason) {
  return path + ": " + reason;
}

BuildOutcome BuildEdition(const BuildRequest& request) {
  const std::string path(TrimUserMediaLine(request.propertyPath));
  if (path.empty()) return BuildError(BuildStatus::NoFileSelected, "No file selected !");

  std::vector<std::string> lines;
  const UserMediaFileResult read = ReadPropertyFile(path, lines);
  if (read.status == UserMediaFileStatus::NoFile) {
    return BuildError(BuildStatus::FileNotExists, "File not exists !",
                      FileErrorDetail(path, read.reason));
  }
  if (read.status != UserMediaFileStatus::Read) {
    return BuildError(BuildStatus::PropertyFileUnreadable, "Property file cannot be read !",
                      FileErrorDetail(path, read.reason));
  }
  platform::FileContents prototype = LoadPrototype(request.prototypePath);
  if (!prototype.ok()) {
    return BuildError(BuildStatus::LoadPrototypeFailed, "Load prototype failed !",
                      FileErrorDetail(request.prototypePath, prototype.problem.reason));
  }
  std::vector<uint8_t>& image = prototype.bytes;

  const BlockSearch found = FindBlock(image);
  if (found.status != BlockSearchStatus::Found) {
    return BuildError(BuildStatus::NoBlock,
                      BlockSearchErrorText(found.status == BlockSearchStatus::Truncated));
  }
  // The block may sit at any byte offset of the file: fill a copy, then put it back.
  auto block = std::make_unique<CustomizationBlock>();
  std::memcpy(block.get(), image.data() + found.offset, sizeof(CustomizationBlock));
  const ApplyResult applied = ApplyPropertyFile(lines, *block);
  if (!applied.ok) return BuildError(BuildStatus::BadHexPair, applied.error);
  std::memcpy(image.data() + found.offset, block.get(), sizeof(CustomizationBlock));

  const std::string output = EditionPath(request.outputDir);
  const WriteResult saved = SavePrototype(image, request.outputDir, request.prototypePath);
  if (!saved.ok()) return BuildError(BuildStatus::SaveFailed, WriteErrorText(saved, output));
  return {BuildStatus::Created,          "Information", MessageIcon::Information,
          "File created successfully !", output,        {}};
}

}  // namespace custom
