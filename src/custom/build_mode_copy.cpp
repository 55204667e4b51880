#include "custom/build_mode_copy.h"

#include <filesystem>

#include "custom/executable_writer.h"
#include "custom/find_block.h"

namespace custom {

BuildOutcome WriteBuildModeCopy(const std::string& exe, bool on, const std::string& output) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(exe, error)) {
    return BuildError(BuildStatus::FileNotExists, "File not exists !");
  }
  auto image = LoadPrototype(exe);
  if (!image) return BuildError(BuildStatus::LoadPrototypeFailed, "Load prototype failed !");
  const BlockSearch found = FindBlock(*image);
  if (found.status != BlockSearchStatus::Found) {
    return BuildError(BuildStatus::NoBlock,
                      BlockSearchErrorText(found.status == BlockSearchStatus::Truncated));
  }
  (*image)[found.offset + kBuildModeFlagOffset] = on ? '1' : '0';
  const WriteResult saved = WriteExecutableFile(*image, output, {exe});
  if (!saved.ok()) return BuildError(BuildStatus::SaveFailed, WriteErrorText(saved, output));
  return {BuildStatus::Created, "Information", MessageIcon::Information,
          "File created successfully !", output};
}

}  // namespace custom
