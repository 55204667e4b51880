// Named temporary files of writes in progress, removed when the program is stopped by
// SIGINT, SIGTERM or SIGHUP before the write has finished. (Where the file system offers
// unnamed temporary files, a write has no name to leave behind until it is complete.)
#pragma once

#include <string>

namespace platform {

// Registers `path` for removal on those signals for as long as it lives. The handlers are
// installed on first use, and only for signals whose action is still the default one, so a
// program's own handlers and an ignored SIGHUP stay as they are; after removing the files the
// handler lets the signal end the program as it would have.
class PendingTemporaryFile {
 public:
  explicit PendingTemporaryFile(const std::string& path);
  ~PendingTemporaryFile();
  PendingTemporaryFile(const PendingTemporaryFile&) = delete;
  PendingTemporaryFile& operator=(const PendingTemporaryFile&) = delete;

 private:
  int slot_ = -1;
};

}  // namespace platform
