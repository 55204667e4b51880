// Seams for the faults the operating system cannot be made to show on demand: a file that
// changes between being opened and being read, a disk that fills up at a given byte, a read
// that fails half way. The program never sets them; tests do, and put them back afterwards.
#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// The steps of an atomic write, in their order.
enum class WriteStep { Write, Sync, Chmod, Close, Rename };

struct FileTestHooks {
  // Runs once, the next time `path` is opened for reading: after the open and its checks,
  // before the first byte is read. It is cleared before it runs.
  struct OpenHook {
    std::string path;
    std::function<void()> run;
  };
  std::optional<OpenHook> afterOpen;

  // Makes one step of the next atomic writes fail with `error`. At the Write step the first
  // `atByte` bytes are written and the write that would pass them fails.
  struct WriteFailure {
    WriteStep step = WriteStep::Write;
    uint64_t atByte = 0;
    int error = ENOSPC;
  };
  std::optional<WriteFailure> writeFailure;

  // Makes reading `path` fail with `error` once `atByte` of its bytes have been read.
  struct ReadFailure {
    std::string path;
    uint64_t atByte = 0;
    int error = EIO;
  };
  std::optional<ReadFailure> readFailure;

  // How long a settings write waits for another program's lock on the settings folder,
  // instead of the program's few seconds.
  std::optional<uint32_t> lockWaitMilliseconds;

  // Writes as on a file system without unnamed temporary files.
  bool namedTemporaryOnly = false;
  // Runs in every atomic write once the bytes are written and flushed, before the new file
  // takes a name in its folder.
  std::function<void()> afterWrite;
};

FileTestHooks& TestHooks();

// Reading `path` after `done` of its bytes: the error the hooks make this read fail with (0 for
// none), and `size` cut to the bytes they let through before it.
int HookedReadError(const std::string& path, uint64_t done, size_t& size);

// Writing `size` bytes: how many the hooks let through before the write fails with `error`
// (all of them, and `error` untouched, when no failure is asked for).
size_t HookedWriteLimit(size_t size, int& error);

}  // namespace platform
