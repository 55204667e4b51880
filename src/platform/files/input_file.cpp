#include "platform/files/input_file.h"

#include <fcntl.h>
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

constexpr const char* kChangedText = "changed while it was being read";

bool SameVersion(const struct stat& a, const struct stat& b) {
  return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
         a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
  Open();
  auto& hook = TestHooks().afterOpen;
  if (fd_ >= 0 && hook && hook->path == path_) {
    const auto run = std::move(hook->run);
    hook.reset();
    run();
  }
}

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
  if (::fstat(fd, &opened_) != 0 || !S_ISREG(opened_.st_mode)) {
    ::close(fd);
    return Fail(ReadFault::NotAFile, NotAFileText(opened_.st_mode));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  fd_ = fd;
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

void InputFile::Fail(ReadFault fault, std::string reason) {
  problem_ = {fault, std::move(reason)};
}

ssize_t InputFile::Read(void* buffer, size_t size) {
  if (fd_ < 0 || problem_.fault != ReadFault::None) return -1;
  const auto& failure = TestHooks().readFailure;
  if (failure && failure->path == path_) {
    if (done_ >= failure->atByte) {
      Fail(ReadFault::ReadFailed, std::string("read error: ") + std::strerror(failure->error));
      return -1;
    }
    size = static_cast<size_t>(std::min<uint64_t>(size, failure->atByte - done_));
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
  if (SameVersion(opened_, now)) return true;
  Fail(ReadFault::Changed, kChangedText);
  return false;
}

FileContents ReadWholeFile(const std::string& path, uint64_t maxBytes) {
  FileContents contents;
  InputFile file(path);
  if (!file.IsOpen()) {
    contents.problem = file.Problem();
    return contents;
  }
  const uint64_t size = file.Size();
  const std::string sizeText = " (" + std::to_string(size) + " bytes)";
  if (size > maxBytes) {
    contents.problem = {ReadFault::TooLarge, "too large" + sizeText};
    return contents;
  }
  try {
    contents.bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    contents.problem = {ReadFault::TooLarge, "too large to hold in memory" + sizeText};
    return contents;
  } catch (const std::length_error&) {
    contents.problem = {ReadFault::TooLarge, "too large to hold in memory" + sizeText};
    return contents;
  }
  size_t done = 0;
  ssize_t n = 1;
  while (done < contents.bytes.size() && n > 0) {
    n = file.Read(contents.bytes.data() + done, contents.bytes.size() - done);
    if (n > 0) done += static_cast<size_t>(n);
  }
  // Fewer bytes than its size, or more after them, and it was written while it was read.
  uint8_t more = 0;
  if (n > 0) n = file.Read(&more, 1);
  if (n >= 0 && (done != contents.bytes.size() || n > 0 || !file.CheckUnchanged())) {
    contents.problem = {ReadFault::Changed, kChangedText};
  } else if (n < 0) {
    contents.problem = file.Problem();
  }
  if (!contents.ok()) contents.bytes.clear();
  return contents;
}

}  // namespace platform
