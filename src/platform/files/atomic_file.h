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
  ForeignLink,   // the target is a symbolic link of another user, or to another user's file
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

// What a symbolic link at the target means to a write.
enum class LinkPolicy {
  // The link itself is replaced by the new file; whatever it names stays as it was. For files
  // the program makes anew (an edition, a copy, a recording): in a folder others can write
  // to, a link planted under the new file's name must never lead the write to another file.
  ReplaceLink,
  // The link is written through (it stays, and the file it names is replaced) only when the
  // link and that file belong to the user the program runs as; otherwise the write is
  // refused. For the settings file, which its owner may keep elsewhere through a link.
  FollowOwnLink,
};

// Writes `bytes` to a temporary file in the target's folder, checks every write, flushes the
// file to disk, gives it `mode` and renames it to the target; then flushes the folder. On any
// failure the temporary file is removed and the target is untouched. The temporary file has
// no name until it is complete where the file system allows (so even a killed program leaves
// nothing behind); elsewhere it is removed when the program is stopped by SIGINT, SIGTERM or
// SIGHUP. A folder, a named pipe or a device at the target is never replaced.
AtomicWriteResult WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes,
                                      mode_t mode, LinkPolicy links);

}  // namespace platform
