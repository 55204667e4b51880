// Writing a new executable file so that it is either complete or not there at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace custom {

enum class WriteStatus {
  Written,
  IsRunningProgram,  // the target is the executable file of this very process
  IsProtected,       // the target is one of the files that must stay as they are
  IsFolder,          // a folder has the target's name
  NotAFile,          // a named pipe, a device or a socket has the target's name
  BrokenLink,        // the target is a symbolic link that leads nowhere
  NoFolder,          // the target's folder does not exist
  CannotCreate,      // no temporary file could be made in the target's folder
  WriteFailed,       // writing, flushing, setting the mode or closing failed
  RenameFailed,      // the finished file could not take the target's name
};

struct WriteResult {
  WriteStatus status = WriteStatus::Written;
  std::string detail;  // why, in plain words, for the failures that have a reason
  bool ok() const { return status == WriteStatus::Written; }
};

// Writes `bytes` as `target` with the run permissions 0755, complete or not at all (see
// platform::WriteFileAtomically). A target that is the same file (device and inode) as the
// running program or as one of `keep` is refused.
WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep);

// A message for a failed write, in the builder's style, naming `target`.
std::string WriteErrorText(const WriteResult& result, const std::string& target);

}  // namespace custom
