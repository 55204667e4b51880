#include "platform/linux/kernel_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

namespace platform {
namespace {

class RealKernelCalls : public KernelCalls {
 public:
  std::optional<std::vector<std::string>> ReadDir(const std::string& path) override {
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
  }

  std::optional<std::string> ReadFirstLine(const std::string& path) override {
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line)) return std::nullopt;
    return line;
  }

  std::optional<std::string> ReadLink(const std::string& path) override {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    // A target that fills the buffer may have been cut.
    if (n <= 0 || static_cast<size_t>(n) >= sizeof target) return std::nullopt;
    return std::string(target, static_cast<size_t>(n));
  }

  int Open(const std::string& path, int flags) override {
    const int fd = ::open(path.c_str(), flags);
    return fd >= 0 ? fd : -errno;
  }

  int Stat(const std::string& path, struct stat& info) override {
    return ::stat(path.c_str(), &info) == 0 ? 0 : -errno;
  }

  int SgVersion(int fd) override {
    int version = 0;
    return ::ioctl(fd, SG_GET_VERSION_NUM, &version) == 0 ? version : -errno;
  }

  int SgIo(int fd, sg_io_hdr_t& header) override {
    return ::ioctl(fd, SG_IO, &header) == 0 ? 0 : errno;
  }

  void Close(int fd) override { ::close(fd); }
};

}  // namespace

KernelCalls& RealKernel() {
  static RealKernelCalls kernel;
  return kernel;
}

}  // namespace platform
