#include "platform/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/files/file_kind.h"
#include "platform/files/file_test_hooks.h"

namespace platform {
namespace {

AtomicWriteResult Failure(WriteFault fault, int error, const std::string& what) {
  return {fault, error, what + ": " + std::strerror(error)};
}

// The step fails as the test hooks ask; otherwise `step` runs.
template <typename Step>
int Run(WriteStep which, Step step) {
  const auto& failure = TestHooks().writeFailure;
  if (failure && failure->step == which) {
    errno = failure->error;
    return -1;
  }
  return step();
}

// Writes everything or fails with errno set. A full disk may first take part of the bytes.
bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  const auto& failure = TestHooks().writeFailure;
  size_t allowed = bytes.size();
  if (failure && failure->step == WriteStep::Write && failure->atByte < allowed) {
    allowed = static_cast<size_t>(failure->atByte);
  }
  size_t done = 0;
  while (done < bytes.size()) {
    if (done == allowed) {
      errno = failure->error;
      return false;
    }
    const ssize_t n = ::write(fd, bytes.data() + done, allowed - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Where the bytes really go: the target, or the file a symbolic link there names.
struct Destination {
  std::string path;
  AtomicWriteResult refused;
};

Destination Resolve(const std::string& target) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) return {target, {}};
  if (S_ISLNK(info.st_mode)) {
    if (::stat(target.c_str(), &info) != 0) {
      const int error = errno;
      return {target, {WriteFault::BrokenLink, error, BrokenLinkText(target, error)}};
    }
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(target.c_str(), nullptr),
                                                           &std::free);
    if (!real)
      return {target, Failure(WriteFault::BrokenLink, errno, "the link cannot be followed")};
    return {real.get(), Resolve(real.get()).refused};
  }
  if (S_ISDIR(info.st_mode))
    return {target, {WriteFault::IsFolder, EISDIR, NotAFileText(info.st_mode)}};
  if (!S_ISREG(info.st_mode))
    return {target, {WriteFault::NotAFile, 0, NotAFileText(info.st_mode)}};
  return {target, {}};
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes,
                                      mode_t mode) {
  const Destination destination = Resolve(target);
  if (!destination.refused.ok()) return destination.refused;

  // The temporary file lives in the target's folder, so the rename never crosses a file system.
  const std::filesystem::path path(destination.path);
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + std::string.
  std::string name = ".";
  name.append(path.filename().string()).append(".XXXXXX");
  std::string temporary = (folder / name).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    const int error = errno;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
      return {WriteFault::NoFolder, error, "its folder " + folder.string() + " does not exist"};
    }
    return Failure(WriteFault::CannotCreate, error, "cannot create a file in its folder");
  }

  AtomicWriteResult result;
  if (!WriteAll(fd, bytes)) {
    result = Failure(WriteFault::WriteFailed, errno, "writing failed");
  } else if (Run(WriteStep::Sync, [&] { return ::fsync(fd); }) != 0) {
    result = Failure(WriteFault::WriteFailed, errno, "flushing to disk failed");
  } else if (Run(WriteStep::Chmod, [&] { return ::fchmod(fd, mode); }) != 0) {
    result = Failure(WriteFault::WriteFailed, errno, "setting its permissions failed");
  }
  // A close that fails may be the first news of a full disk (on a network file system).
  int closed = ::close(fd);
  int closeError = errno;
  const auto& failure = TestHooks().writeFailure;
  if (failure && failure->step == WriteStep::Close) {
    closed = -1;
    closeError = failure->error;
  }
  if (result.ok() && closed != 0) {
    result = Failure(WriteFault::WriteFailed, closeError, "closing failed");
  }
  if (result.ok() &&
      Run(WriteStep::Rename, [&] { return ::rename(temporary.c_str(), path.c_str()); }) != 0) {
    result = Failure(WriteFault::RenameFailed, errno, "the new file could not take its name");
  }
  if (!result.ok()) {
    ::unlink(temporary.c_str());
    return result;
  }
  // Make the new name itself durable; the file is complete either way, so a folder that
  // cannot be flushed is not a failed write.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return result;
}

}  // namespace platform
