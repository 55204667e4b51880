#include "platform/files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "platform/files/file_kind.h"
#include "platform/files/file_test_hooks.h"

namespace platform {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

int64_t WriteTime(const struct stat& info) {
  return int64_t{info.st_mtim.tv_sec} * kNanosecondsPerSecond + info.st_mtim.tv_nsec;
}

}  // namespace

void InputFile::Open() {
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0) {
    const int error = errno;
    if (IsSymbolicLink(path_)) {
      return Fail(error == ENOENT ? ReadFault::Missing : ReadFault::CannotOpen,
                  BrokenLinkText(path_, error));
    }
    if (error == ENOENT || error == ENOTDIR) return Fail(ReadFault::Missing, "no such file");
    return Fail(ReadFault::CannotOpen, std::string("cannot be opened: ") + std::strerror(error));
  }
  // Decided before the open: opening a named pipe would wait for a writer, and opening some
  // devices does something.
  if (!S_ISREG(info.st_mode)) return Fail(ReadFault::NotAFile, NotAFileText(info.st_mode));
  const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return Fail(ReadFault::CannotOpen, std::string("cannot be opened: ") + std::strerror(errno));
  }
  // Something else may have taken the name between the look and the open.
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    ::close(fd);
    return Fail(ReadFault::NotAFile, NotAFileText(opened.st_mode));
  }
  opened_ = {static_cast<uint64_t>(opened.st_size), WriteTime(opened)};
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

ssize_t InputFile::Read(void* buffer, size_t size) {
  if (fd_ < 0 || problem_.fault != ReadFault::None) return -1;
  if (const int error = HookedReadError(path_, done_, size); error != 0) {
    Fail(ReadFault::ReadFailed, std::string("read error: ") + std::strerror(error));
    return -1;
  }
  ssize_t n = 0;
  do {
    n = ::read(fd_, buffer, size);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    Fail(ReadFault::ReadFailed, std::string("read error: ") + std::strerror(errno));
    return -1;
  }
  done_ += static_cast<uint64_t>(n);
  return n;
}

bool InputFile::CheckUnchanged() {
  if (fd_ < 0 || problem_.fault != ReadFault::None) return false;
  struct stat now {};
  if (::fstat(fd_, &now) != 0) {
    Fail(ReadFault::ReadFailed, std::string("read error: ") + std::strerror(errno));
    return false;
  }
  if (opened_ == Version{static_cast<uint64_t>(now.st_size), WriteTime(now)}) return true;
  Fail(ReadFault::Changed, kFileChangedText);
  return false;
}

}  // namespace platform
