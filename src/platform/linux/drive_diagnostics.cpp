#include "platform/drive_diagnostics.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/linux/drive_checks.h"
#include "platform/linux/sysfs_drives.h"

namespace platform {
namespace {

constexpr unsigned kScsiCdromMajor = 11;  // the sr block devices

// Device nodes belong to system groups, which live in /etc/group. Reading it directly
// rather than through the name service keeps the program linkable as a static binary.
std::string GroupName(gid_t gid) {
  std::ifstream in("/etc/group");
  std::string line;
  while (std::getline(in, line)) {
    // name:password:gid:members
    const size_t first = line.find(':');
    const size_t second = first == std::string::npos ? first : line.find(':', first + 1);
    const size_t third = second == std::string::npos ? second : line.find(':', second + 1);
    if (third == std::string::npos) continue;
    if (line.compare(second + 1, third - second - 1, std::to_string(gid)) == 0) {
      return line.substr(0, first);
    }
  }
  return std::to_string(gid);
}

bool UserInGroup(gid_t gid) {
  if (::getegid() == gid) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int got = ::getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// Explains a failed open of `path`: the system's own reason, and what to do.
std::string Explain(KernelCalls& kernel, const std::string& path, int error) {
  struct stat info {};
  switch (error) {
    case EACCES:
    case EPERM: {
      const std::string reason = std::strerror(error);
      if (kernel.Stat(path, info) != 0) return reason;
      if (info.st_gid == 0) return reason + ": the node belongs to root and group root";
      const std::string group = GroupName(info.st_gid);
      if (UserInGroup(info.st_gid)) {
        return reason + ", although you are in its group \"" + group +
               "\": check the node's mode (it needs read and write for the group)";
      }
      return reason + ": the node belongs to group \"" + group +
             "\" and you are not in it; run \"sudo usermod -aG " + group +
             " $USER\", then log in again";
    }
    case EBUSY:
      return "busy: another program holds it open exclusively (a burning program?); close it "
             "and try again";
    case ENOENT:
      return "the device node is missing; check that udev is running";
    case ENXIO:
    case ENODEV:
      return "the drive does not answer (unplugged?)";
    default:
      return std::strerror(error);
  }
}

// Opens a drive as the backend does: read-write, or read-only where only that is allowed.
// A descriptor, or the negated errno of the read-write open; `readWriteError` is that
// errno when only the read-only open succeeded.
int OpenLikeTheBackend(KernelCalls& kernel, const std::string& path, int& readWriteError) {
  readWriteError = 0;
  const int fd = kernel.Open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd >= 0 || (fd != -EACCES && fd != -EROFS)) return fd;
  const int readOnlyFd = kernel.Open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (readOnlyFd < 0) return fd;
  readWriteError = -fd;
  return readOnlyFd;
}

constexpr const char* kNotOptical =
    "not an optical drive (neither a CD-ROM block device such as /dev/sr0 nor a SCSI generic "
    "node such as /dev/sg1)";

}  // namespace

std::vector<DriveProblem> DiagnoseDrives(KernelCalls& kernel) {
  std::vector<DriveProblem> problems;
  for (const std::string& name : SrDeviceNames(kernel)) {
    const std::string path = "/dev/" + name;
    int readWriteError = 0;
    const int fd = OpenLikeTheBackend(kernel, path, readWriteError);
    if (fd < 0) {
      problems.push_back({path, Explain(kernel, path, -fd), true});
      continue;
    }
    kernel.Close(fd);
    if (readWriteError != 0) {
      problems.push_back({path,
                          "opened read-only: the drive works, but switching its features "
                          "needs write access; " +
                              Explain(kernel, path, readWriteError)});
      continue;
    }
    const std::string node = SrSgNode(kernel, name);
    if (node.empty()) {
      problems.push_back({path,
                          "the sg module is not loaded, so the disc's vendor media ID "
                          "cannot be read without root; run \"sudo modprobe sg\""});
      continue;
    }
    const int sgFd = kernel.Open(node, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (sgFd < 0) {
      problems.push_back({node + " (of " + path + ")",
                          "vendor commands (the media-ID command) are refused without it: " +
                              Explain(kernel, node, -sgFd)});
    } else {
      kernel.Close(sgFd);
    }
  }
  return problems;
}

std::optional<DriveProblem> CheckDevicePath(KernelCalls& kernel, const std::string& path) {
  struct stat info {};
  const int statError = -kernel.Stat(path, info);
  if (statError == ENOENT || statError == ENOTDIR) return DriveProblem{path, "no such file"};
  if (statError != 0) return DriveProblem{path, Explain(kernel, path, statError), true};
  if (S_ISREG(info.st_mode)) return DriveProblem{path, "a file, not a device"};
  if (S_ISDIR(info.st_mode)) return DriveProblem{path, "a folder, not a device"};
  if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) {
    return DriveProblem{path, "a pipe or socket, not a device"};
  }
  const bool cdromBlock = S_ISBLK(info.st_mode) && major(info.st_rdev) == kScsiCdromMajor;
  if (!cdromBlock && !S_ISCHR(info.st_mode)) return DriveProblem{path, kNotOptical};
  int readWriteError = 0;
  const int fd = OpenLikeTheBackend(kernel, path, readWriteError);
  if (fd < 0) return DriveProblem{path, Explain(kernel, path, -fd), true};
  // Any character device opens (/dev/null, /dev/zero); only an sg node knows the request.
  const bool answers = cdromBlock || kernel.SgVersion(fd) >= 0;
  kernel.Close(fd);
  if (!answers) return DriveProblem{path, kNotOptical};
  return std::nullopt;
}

std::vector<DriveProblem> DiagnoseDrives() {
  return DiagnoseDrives(RealKernel());
}

}  // namespace platform
