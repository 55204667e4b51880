#include "custom/executable_writer.h"

#include <sys/stat.h>

#include "custom/prototype_file.h"
#include "platform/files/atomic_file.h"

namespace custom {
namespace {

constexpr mode_t kRunPermissions = 0755;

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b {};
  return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

WriteStatus StatusOf(const platform::AtomicWriteResult& result) {
  using platform::WriteFault;
  switch (result.fault) {
    case WriteFault::None:
      return WriteStatus::Written;
    case WriteFault::IsFolder:
      return WriteStatus::IsFolder;
    case WriteFault::NotAFile:
      return WriteStatus::NotAFile;
    case WriteFault::BrokenLink:
      return WriteStatus::BrokenLink;
    case WriteFault::NoFolder:
      return WriteStatus::NoFolder;
    case WriteFault::CannotCreate:
      return WriteStatus::CannotCreate;
    case WriteFault::WriteFailed:
      return WriteStatus::WriteFailed;
    case WriteFault::RenameFailed:
      return WriteStatus::RenameFailed;
  }
  return WriteStatus::WriteFailed;
}

}  // namespace

WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    if (SameFile(existing, kRunningProgramPath)) return {WriteStatus::IsRunningProgram, {}};
    for (const std::string& path : keep) {
      if (SameFile(existing, path)) return {WriteStatus::IsProtected, {}};
    }
  }
  const platform::AtomicWriteResult written =
      platform::WriteFileAtomically(target, bytes, kRunPermissions);
  return {StatusOf(written), written.reason};
}

std::string WriteErrorText(const WriteResult& result, const std::string& target) {
  const std::string why = target + ": " + result.detail;
  switch (result.status) {
    case WriteStatus::Written:
      return {};
    case WriteStatus::IsRunningProgram:
      return "Output file is the running program, not replaced !\n" + target;
    case WriteStatus::IsProtected:
      return "Output file is the prototype itself, not replaced !\n" + target;
    case WriteStatus::IsFolder:
      return "Output file name is taken by a folder !\n" + why;
    case WriteStatus::NotAFile:
      return "Output file is not a regular file, not replaced !\n" + why;
    case WriteStatus::BrokenLink:
      return "Output file is a broken symbolic link, not replaced !\n" + why;
    case WriteStatus::NoFolder:
      return "Output folder does not exist !\n" + why;
    case WriteStatus::CannotCreate:
      return "Output folder is not writable !\n" + why;
    case WriteStatus::WriteFailed:
    case WriteStatus::RenameFailed:
      return "Write output file failed !\n" + why;
  }
  return {};
}

}  // namespace custom
