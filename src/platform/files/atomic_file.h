// Writing a file so that it is either complete or not there at all, and whatever stood at
// its name before is either replaced whole or left exactly as it was.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

namespace platform {

enum class WriteFault {
  None,
  IsFolder,      // a folder has the target's name
  NotAFile,      // a named pipe, a device or a socket has it
  BrokenLink,    // the target is a symbolic link that leads nowhere
  NoFolder,      // the target's folder does not exist
  CannotCreate,  // no temporary file could be made in the target's folder
  WriteFailed,   // writing, flushing, setting the mode or closing failed
  RenameFailed,  // the finished file could not take the target's name
};

struct AtomicWriteResult {
  WriteFault fault = WriteFault::None;
  int error = 0;       // the system's error number, when there is one
  std::string reason;  // in plain words, without the path: "writing failed: No space left..."
  bool ok() const { return fault == WriteFault::None; }
};

// Writes `bytes` to a temporary file in the target's folder, checks every write, flushes the
// file to disk, gives it `mode` and renames it to the target; then flushes the folder. On any
// failure the temporary file is removed and the target is untouched. A symbolic link at the
// target is written through, so the link stays and the file it names is replaced; a link to
// nothing, a folder, a named pipe or a device is never replaced.
AtomicWriteResult WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes,
                                      mode_t mode);

}  // namespace platform
