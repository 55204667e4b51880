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
  CannotCreate,      // no temporary file could be made in the target's folder
  WriteFailed,       // writing, flushing, setting the mode or closing failed
  RenameFailed,      // the finished file could not take the target's name
};

struct WriteResult {
  WriteStatus status = WriteStatus::Written;
  std::string detail;  // the system's reason, for the failures that have one
  bool ok() const { return status == WriteStatus::Written; }
};

// Writes `bytes` to a temporary file beside `target`, checks every write, flushes the file to
// disk, gives it the run permissions 0755 and renames it to `target`, replacing a file of that
// name. On any failure the temporary file is removed and `target` is untouched. A target that
// is the same file (device and inode) as the running program or as one of `keep` is refused.
WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep);

// A message for a failed write, in the builder's style, naming `target`.
std::string WriteErrorText(const WriteResult& result, const std::string& target);

}  // namespace custom
