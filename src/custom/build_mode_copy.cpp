#include "custom/build_mode_copy.h"

#include "custom/executable_writer.h"
#include "custom/find_block.h"

namespace custom {

BuildOutcome WriteBuildModeCopy(const std::string& exe, bool on, const std::string& output) {
  platform::FileContents prototype = LoadPrototype(exe);
  if (!prototype.ok()) {
    const platform::ReadFault fault = prototype.problem.fault;
    if (fault == platform::ReadFault::Missing || fault == platform::ReadFault::NotAFile) {
      return BuildError(BuildStatus::FileNotExists, "File not exists !",
                        FileErrorDetail(exe, prototype.problem.reason));
    }
    return BuildError(BuildStatus::LoadPrototypeFailed, "Load prototype failed !",
                      FileErrorDetail(exe, prototype.problem.reason));
  }
  std::vector<uint8_t>& image = prototype.bytes;
  const BlockSearch found = FindBlock(image);
  if (found.status != BlockSearchStatus::Found) {
    return BuildError(BuildStatus::NoBlock,
                      BlockSearchErrorText(found.status == BlockSearchStatus::Truncated));
  }
  image[found.offset + kBuildModeFlagOffset] = on ? '1' : '0';
  const WriteResult saved = WriteExecutableFile(image, output, {exe});
  if (!saved.ok()) return BuildError(BuildStatus::SaveFailed, WriteErrorText(saved, output));
  return {BuildStatus::Created,          "Information", MessageIcon::Information,
          "File created successfully !", output,        {}};
}

}  // namespace custom
