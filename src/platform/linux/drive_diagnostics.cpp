#include "platform/linux/drive_diagnostics.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

std::string GroupName(gid_t gid) {
  if (const group* g = ::getgrgid(gid)) return g->gr_name;
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
  std::vector<std::string> names;
  if (DIR* dir = ::opendir("/sys/class/block")) {
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.rfind("sr", 0) == 0) names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  std::vector<DriveProblem> problems;
  for (const std::string& name : names) {
    const std::string path = "/dev/" + name;
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      const int error = errno;
      const int readOnly = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (readOnly >= 0) {
        ::close(readOnly);
        problems.push_back({path, "opened read-only: the drive works, but switching its features "
                                  "needs write access; " + Explain(path, error)});
      } else {
        problems.push_back({path, Explain(path, error)});
      }
      continue;
    }
    ::close(fd);
    const std::string sgDir = "/sys/class/block/" + name + "/device/scsi_generic";
    DIR* sg = ::opendir(sgDir.c_str());
    if (sg == nullptr) {
      problems.push_back({path, "the sg module is not loaded, so the disc's vendor media ID "
                                "cannot be read without root; run \"sudo modprobe sg\""});
      continue;
    }
    std::string node;
    while (dirent* entry = ::readdir(sg)) {
      const std::string n = entry->d_name;
      if (n.rfind("sg", 0) == 0) node = "/dev/" + n;
    }
    ::closedir(sg);
    if (node.empty()) continue;
    const int sgFd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (sgFd < 0) {
      problems.push_back({node + " (of " + path + ")",
                          "vendor commands (the media-ID command) are refused without it: " +
                              Explain(node, errno)});
    } else {
      ::close(sgFd);
    }
  }
  return problems;
}

}  // namespace platform
