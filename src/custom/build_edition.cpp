#include "custom/build_edition.h"

#include <cstring>
#include <memory>

#include "custom/apply_property_file.h"
#include "custom/find_block.h"
#include "custom/save_prototype.h"
#include "custom/user_media_file.h"
#include "custom/user_media_line.h"
#include "platform/files/program_file.h"

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

bool OutputDirNeedsChoice(const std::string& outputDir, const std::string& prototypePath) {
  if (outputDir.empty() || prototypePath.empty()) return false;
#ifdef _WIN32
  constexpr const char* kSeparators = "/\\";
#else
  constexpr const char* kSeparators = "/";
#endif
  const size_t last = prototypePath.find_last_of(kSeparators);
  // The root keeps its separator ("/", "C:\\"); a bare name lies in the current folder.
  const bool root = last == 0 || (last == 2 && prototypePath[1] == ':');
  const std::string folder = last == std::string::npos ? "."
                             : root                    ? prototypePath.substr(0, last + 1)
                                                       : prototypePath.substr(0, last);
  return platform::SameFile(outputDir, folder);
}

namespace {

BuildOutcome PropertyFileError(const std::string& path, const UserMediaFileResult& read) {
  if (read.status == UserMediaFileStatus::NoFile) {
    return BuildError(BuildStatus::FileNotExists, "File not exists !",
                      FileErrorDetail(path, read.reason));
  }
  return BuildError(BuildStatus::PropertyFileUnreadable, "Property file cannot be read !",
                    FileErrorDetail(path, read.reason));
}

// A fault of the property file is named before one of the prototype.
BuildOutcome PrototypeError(const std::string& path, BuildOutcome prototypeError) {
  const UserMediaFileResult read =
      ReadUserMediaFile(path, [](const UserMediaLinePosition&, std::string_view) {});
  if (read.status != UserMediaFileStatus::Read) return PropertyFileError(path, read);
  return prototypeError;
}

}  // namespace

std::string PropertyPathFromField(std::string_view fieldText) {
  return std::string(TrimUserMediaLine(fieldText));
}

BuildOutcome BuildEdition(const BuildRequest& request) {
  const std::string& path = request.propertyPath;
  if (path.empty()) return BuildError(BuildStatus::NoFileSelected, "No file selected !");

  platform::FileContents prototype = LoadPrototype(request.prototypePath);
  if (!prototype.ok()) {
    return PrototypeError(
        path, BuildError(BuildStatus::LoadPrototypeFailed, "Load prototype failed !",
                         FileErrorDetail(request.prototypePath, prototype.problem.reason)));
  }
  std::vector<uint8_t>& image = prototype.bytes;
  const BlockSearch found = FindBlock(image);
  if (found.status != BlockSearchStatus::Found) {
    return PrototypeError(
        path, BuildError(BuildStatus::NoBlock,
                         BlockSearchErrorText(found.status == BlockSearchStatus::Truncated)));
  }

  // The block may sit at any byte offset of the file: fill a copy, then put it back. The
  // property file is applied line by line as it is read, so a file of any length takes the
  // memory of one line.
  auto block = std::make_unique<CustomizationBlock>();
  std::memcpy(block.get(), image.data() + found.offset, sizeof(CustomizationBlock));
  PropertyApplier applier(*block);
  const UserMediaFileResult read = ReadUserMediaFile(
      path, [&](const UserMediaLinePosition&, std::string_view line) { applier.Feed(line); });
  if (read.status != UserMediaFileStatus::Read) return PropertyFileError(path, read);
  const ApplyResult applied = applier.Finish();
  if (!applied.ok) return BuildError(BuildStatus::BadHexPair, applied.error);
  std::memcpy(image.data() + found.offset, block.get(), sizeof(CustomizationBlock));

  const std::string output = EditionPath(request.outputDir);
  const WriteResult saved = SavePrototype(image, request.outputDir, request.prototypePath);
  if (!saved.ok()) return BuildError(BuildStatus::SaveFailed, WriteErrorText(saved, output));
  return {BuildStatus::Created,          "Information", MessageIcon::Information,
          "File created successfully !", output,        {}};
}

}  // namespace custom
