#include "custom/executable_writer.h"

#include "platform/files/program_file.h"

namespace custom {
namespace {

constexpr mode_t kRunPermissions = 0755;

}  // namespace

WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep) {
  // The name itself: a symbolic link there is replaced, never followed, so only a file that
  // stands under the target's own name can be one of these.
  if (platform::SameFile(target, platform::RunningProgramPath())) {
    return {Refusal::IsRunningProgram, {}};
  }
  for (const std::string& path : keep) {
    if (platform::SameFile(target, path)) return {Refusal::IsProtected, {}};
  }
  return {Refusal::None, platform::WriteFileAtomically(target, bytes, kRunPermissions,
                                                       platform::LinkPolicy::ReplaceLink)};
}

std::string WriteErrorText(const WriteResult& result, const std::string& target) {
  switch (result.refusal) {
    case Refusal::IsRunningProgram:
      return "Output file is the running program, not replaced !\n" + target;
    case Refusal::IsProtected:
      return "Output file is the prototype itself, not replaced !\n" + target;
    case Refusal::None:
      break;
  }
  const std::string why = target + ": " + result.written.reason;
  using platform::WriteFault;
  switch (result.written.fault) {
    case WriteFault::None:
      return {};
    case WriteFault::IsFolder:
      return "Output file name is taken by a folder !\n" + why;
    case WriteFault::NotAFile:
      return "Output file is not a regular file, not replaced !\n" + why;
    case WriteFault::BrokenLink:
      return "Output file is a broken symbolic link, not replaced !\n" + why;
    case WriteFault::ForeignLink:
      return "Output file is a symbolic link of another user, not replaced !\n" + why;
    case WriteFault::NoFolder:
      return "Output folder does not exist !\n" + why;
    case WriteFault::CannotCreate:
      return "Output folder is not writable !\n" + why;
    case WriteFault::WriteFailed:
    case WriteFault::RenameFailed:
      return "Write output file failed !\n" + why;
  }
  return {};
}

}  // namespace custom
