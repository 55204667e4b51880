#include "platform/files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>

#include "platform/files/file_kind.h"
#include "platform/files/file_test_hooks.h"
#include "platform/files/pending_temporary_files.h"

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
  int hookError = 0;
  const size_t allowed = HookedWriteLimit(bytes.size(), hookError);
  size_t done = 0;
  while (done < bytes.size()) {
    if (done == allowed) {
      errno = hookError;
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

AtomicWriteResult RefusedKind(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return {WriteFault::IsFolder, EISDIR, NotAFileText(info.st_mode)};
  return {WriteFault::NotAFile, 0, NotAFileText(info.st_mode)};
}

Destination Resolve(const std::string& target, LinkPolicy links) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) return {target, {}};
  if (S_ISLNK(info.st_mode)) {
    // Renaming over a link replaces the link, never the file it names.
    if (links == LinkPolicy::ReplaceLink) return {target, {}};
    const uid_t self = ::geteuid();
    const uid_t linkOwner = info.st_uid;
    if (::stat(target.c_str(), &info) != 0) {
      const int error = errno;
      return {target, {WriteFault::BrokenLink, error, BrokenLinkText(target, error)}};
    }
    if (linkOwner != self || info.st_uid != self) {
      return {target,
              {WriteFault::ForeignLink, EPERM, ForeignLinkText(target, linkOwner, info.st_uid)}};
    }
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(target.c_str(), nullptr),
                                                           &std::free);
    if (!real)
      return {target, Failure(WriteFault::BrokenLink, errno, "the link cannot be followed")};
    if (!S_ISREG(info.st_mode)) return {target, RefusedKind(info)};
    return {real.get(), {}};
  }
  if (!S_ISREG(info.st_mode)) return {target, RefusedKind(info)};
  return {target, {}};
}

std::string RandomSuffix() {
  static thread_local std::mt19937 random{std::random_device{}()};
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix(6, 'x');
  for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
  return suffix;
}

// A file that has no name yet, made in `folder`; -1 where the file system cannot make one.
int OpenUnnamed(const std::filesystem::path& folder) {
  if (TestHooks().namedTemporaryOnly) return -1;
  return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
}

// Gives the complete unnamed file a temporary name in its folder; empty when it cannot have
// one (no /proc to name it through, and no right to link a descriptor).
std::string NameUnnamed(int fd, const std::string& stem) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = stem + RandomSuffix();
    int linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
    if (linked != 0 && errno != EEXIST) {
      linked = ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
    }
    if (linked == 0) return name;
    if (errno != EEXIST) return {};
  }
  return {};
}

// One attempt at the write. `unnamed` asks for a file without a name until it is complete;
// the result's `retryNamed` says that such a file could not be named and the write should be
// made again the ordinary way.
struct Attempt {
  AtomicWriteResult result;
  bool retryNamed = false;
};

Attempt WriteOnce(const std::filesystem::path& path, std::span<const uint8_t> bytes, mode_t mode,
                  bool unnamed) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + std::string.
  std::string stem = ".";
  stem.append(path.filename().string()).append(".");
  stem = (folder / stem).string();

  std::string temporary;
  std::optional<PendingTemporaryFile> pending;
  int fd = unnamed ? OpenUnnamed(folder) : -1;
  if (fd < 0) {
    if (unnamed) return {{}, true};
    temporary = stem + "XXXXXX";
    fd = ::mkstemp(temporary.data());
    if (fd < 0) {
      const int error = errno;
      struct stat info {};
      if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return {{WriteFault::NoFolder, error, "its folder " + folder.string() + " does not exist"}};
      }
      return {Failure(WriteFault::CannotCreate, error, "cannot create a file in its folder")};
    }
    pending.emplace(temporary);
  }

  AtomicWriteResult result;
  if (!WriteAll(fd, bytes)) {
    result = Failure(WriteFault::WriteFailed, errno, "writing failed");
  } else if (Run(WriteStep::Sync, [&] { return ::fsync(fd); }) != 0) {
    result = Failure(WriteFault::WriteFailed, errno, "flushing to disk failed");
  } else if (Run(WriteStep::Chmod, [&] { return ::fchmod(fd, mode); }) != 0) {
    result = Failure(WriteFault::WriteFailed, errno, "setting its permissions failed");
  }
  if (result.ok() && TestHooks().afterWrite) TestHooks().afterWrite();
  if (result.ok() && temporary.empty()) {
    temporary = NameUnnamed(fd, stem);
    if (temporary.empty()) {
      ::close(fd);
      return {{}, true};
    }
    pending.emplace(temporary);
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
    if (!temporary.empty()) ::unlink(temporary.c_str());
    return {result};
  }
  // Make the new name itself durable; the file is complete either way, so a folder that
  // cannot be flushed is not a failed write.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return {result};
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes,
                                      mode_t mode, LinkPolicy links) {
  const Destination destination = Resolve(target, links);
  if (!destination.refused.ok()) return destination.refused;
  // The temporary file lives in the target's folder, so the rename never crosses a file system.
  const std::filesystem::path path(destination.path);
  const Attempt unnamed = WriteOnce(path, bytes, mode, true);
  if (!unnamed.retryNamed) return unnamed.result;
  return WriteOnce(path, bytes, mode, false).result;
}

}  // namespace platform
