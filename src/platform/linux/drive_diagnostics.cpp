#include "platform/drive_diagnostics.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "platform/linux/kernel_calls.h"
#include "platform/linux/sysfs_drives.h"

namespace platform {
namespace {

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

// Explains a failed open of `path`.
std::string Explain(const std::string& path, int error) {
  struct stat info {};
  switch (error) {
    case EACCES:
    case EPERM:
      if (::stat(path.c_str(), &info) == 0) {
        const std::string group = GroupName(info.st_gid);
        if (UserInGroup(info.st_gid)) {
          return "no permission, although you are in its group \"" + group +
                 "\": check the node's mode (it needs read and write for the group)";
        }
        return "no permission: it belongs to group \"" + group +
               "\" and you are not in it; run \"sudo adduser $USER " + group +
               "\" and log in again";
      }
      return "no permission";
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

}  // namespace

std::vector<DriveProblem> DiagnoseDrives() {
  KernelCalls& kernel = RealKernel();
  std::vector<DriveProblem> problems;
  for (const std::string& name : SrDeviceNames(kernel)) {
    const std::string path = "/dev/" + name;
    const int fd = kernel.Open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      const int readOnly = kernel.Open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (readOnly >= 0) {
        kernel.Close(readOnly);
        problems.push_back({path,
                            "opened read-only: the drive works, but switching its features "
                            "needs write access; " +
                                Explain(path, -fd)});
      } else {
        problems.push_back({path, Explain(path, -fd)});
      }
      continue;
    }
    kernel.Close(fd);
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
                              Explain(node, -sgFd)});
    } else {
      kernel.Close(sgFd);
    }
  }
  return problems;
}

}  // namespace platform
