// Reading a file so that what is read is all of one version of one regular file.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class ReadFault {
  None,
  Missing,     // nothing at the path, or a symbolic link to nothing
  NotAFile,    // a folder, a named pipe, a device, a socket
  CannotOpen,  // no permission, or another reason the system gives
  ReadFailed,
  Changed,   // written while it was read: what was read may mix two versions
  TooLarge,  // more bytes than the reader takes, or than memory holds
};

// The reason given for ReadFault::Changed.
inline constexpr const char* kFileChangedText = "changed while it was being read";

struct ReadProblem {
  ReadFault fault = ReadFault::None;
  std::string reason;  // in plain words, without the path: "a folder, not a file"
};

// A regular file open for reading. It is read through one descriptor, so a file renamed into
// its place meanwhile is never mixed in; CheckUnchanged() finds one written over in place.
// Opening never waits: a named pipe or a device is refused before it is opened.
class InputFile {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  const ReadProblem& Problem() const { return problem_; }
  // The size when the file was opened.
  uint64_t Size() const { return opened_.size; }

  // Reads up to `size` bytes: how many, 0 at the end of the file, -1 after an error.
  ssize_t Read(void* buffer, size_t size);

  // False, with the fault Changed, when the file's size or modification time is no longer
  // what it was when it was opened.
  bool CheckUnchanged();

 private:
  void Open();
  void Fail(ReadFault fault, std::string reason);

  // One version of the file: its size and last write time (in the system's own unit).
  struct Version {
    uint64_t size = 0;
    int64_t writeTime = 0;
    bool operator==(const Version&) const = default;
  };

  std::string path_;
  int fd_ = -1;  // on Windows a C runtime descriptor over the file's handle
  Version opened_;
  uint64_t done_ = 0;
  ReadProblem problem_;
};

struct FileContents {
  std::vector<uint8_t> bytes;
  ReadProblem problem;
  bool ok() const { return problem.fault == ReadFault::None; }
};

// The whole of a regular file of at most `maxBytes` bytes that did not change while it was
// read; otherwise no bytes and the problem.
FileContents ReadWholeFile(const std::string& path, uint64_t maxBytes = UINT64_MAX);

}  // namespace platform
