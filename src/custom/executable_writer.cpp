#include "custom/executable_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "custom/prototype_file.h"

namespace custom {
namespace {

constexpr mode_t kRunPermissions = 0755;

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b {};
  return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

WriteResult Failure(WriteStatus status, int error) {
  return {status, std::strerror(error)};
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    if (SameFile(existing, kRunningProgramPath)) return {WriteStatus::IsRunningProgram, {}};
    for (const std::string& path : keep) {
      if (SameFile(existing, path)) return {WriteStatus::IsProtected, {}};
    }
    if (S_ISDIR(existing.st_mode)) return {WriteStatus::IsFolder, {}};
  }

  // The temporary file lives in the target's folder, so the rename never crosses a file system.
  const std::filesystem::path targetPath(target);
  std::filesystem::path folder = targetPath.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = ".";
  name += targetPath.filename().string();
  name += ".XXXXXX";
  std::string temporary = (folder / name).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return Failure(WriteStatus::CannotCreate, errno);

  const bool written =
      WriteAll(fd, bytes) && ::fsync(fd) == 0 && ::fchmod(fd, kRunPermissions) == 0;
  const int writeError = errno;
  const bool closed = ::close(fd) == 0;
  const int closeError = errno;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    return Failure(WriteStatus::WriteFailed, written ? closeError : writeError);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temporary.c_str());
    return Failure(WriteStatus::RenameFailed, renameError);
  }
  // Make the new name itself durable; the file is complete either way, so a folder that
  // cannot be flushed is not a failed write.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return {};
}

std::string WriteErrorText(const WriteResult& result, const std::string& target) {
  switch (result.status) {
    case WriteStatus::Written:
      return {};
    case WriteStatus::IsRunningProgram:
      return "Output file is the running program, not replaced !\n" + target;
    case WriteStatus::IsProtected:
      return "Output file is the prototype itself, not replaced !\n" + target;
    case WriteStatus::IsFolder:
      return "Output file name is taken by a folder !\n" + target;
    case WriteStatus::CannotCreate:
      return "Output folder is not writable !\n" + target + ": " + result.detail;
    case WriteStatus::WriteFailed:
    case WriteStatus::RenameFailed:
      return "Write output file failed !\n" + target + ": " + result.detail;
  }
  return {};
}

}  // namespace custom
