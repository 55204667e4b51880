#include "platform/linux/linux_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/linux/sense_format.h"
#include "platform/linux/settings_file.h"

namespace platform {
namespace {

constexpr uint32_t kPlatformNt = 2;  // pass-through is available
constexpr unsigned kScsiTypeRom = 5;

std::string ReadFirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// sr0, sr1, ..., sr10 in numeric order.
bool NumericLess(const std::string& a, const std::string& b) {
  const long na = std::strtol(a.c_str() + 2, nullptr, 10);
  const long nb = std::strtol(b.c_str() + 2, nullptr, 10);
  return na != nb ? na < nb : a < b;
}

bool ParseHctl(const std::string& text, ScsiAddress& address) {
  unsigned h = 0, c = 0, t = 0, l = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u:%u:%u:%u%c", &h, &c, &t, &l, &tail) != 4) return false;
  address.Length = 8;
  address.PortNumber = static_cast<uint8_t>(h);
  address.PathId = static_cast<uint8_t>(c);
  address.TargetId = static_cast<uint8_t>(t);
  address.Lun = static_cast<uint8_t>(l);
  return true;
}

// The sg node of a CD-ROM block device, such as /dev/sg1 for sr0; empty when none.
std::string SgNodeOf(const std::string& root) {
  const std::string dir = "/sys/class/block/" + root + "/device/scsi_generic";
  std::string node;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* entry = ::readdir(d)) {
      const std::string name = entry->d_name;
      if (name.rfind("sg", 0) == 0) node = "/dev/" + name;
    }
    ::closedir(d);
  }
  return node;
}

class SgDevice : public DeviceHandle {
 public:
  SgDevice(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  ~SgDevice() override {
    ::close(fd_);
    if (sgFd_ >= 0) ::close(sgFd_);
  }

  bool PassThrough(PassThroughRequest& request) override {
    int error = 0;
    if (Send(fd_, request, error)) return true;
    // The block layer refuses some commands to unprivileged users (the vendor media-ID
    // command, MODE SELECT on a read-only open). The sg node applies no such filter, so
    // such a command goes there once more, and nothing else ever does: after a failed
    // command it would hand back stale bytes.
    if (error != EPERM && error != EACCES) return false;
    if (sgFd_ < 0 && !sgTried_) {
      sgTried_ = true;
      const std::string node = SgNodeOf(name_);
      if (!node.empty()) sgFd_ = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    return sgFd_ >= 0 && Send(sgFd_, request, error);
  }

  bool GetScsiAddress(ScsiAddress& address) override {
    char link[512] = {};
    const std::string path = "/sys/class/block/" + name_ + "/device";
    const ssize_t n = ::readlink(path.c_str(), link, sizeof link - 1);
    if (n <= 0) return false;
    std::string target(link, static_cast<size_t>(n));
    const size_t slash = target.rfind('/');
    return ParseHctl(slash == std::string::npos ? target : target.substr(slash + 1), address);
  }

 private:
  // One SG_IO; `error` tells why the call itself failed.
  static bool Send(int fd, PassThroughRequest& request, int& error) {
    sg_io_hdr_t io{};
    std::array<uint8_t, 32> sense{};
    io.interface_id = 'S';
    io.cmd_len = request.CdbLength;
    io.cmdp = request.Cdb.data();
    io.mx_sb_len = static_cast<unsigned char>(sense.size());
    io.sbp = sense.data();
    io.timeout = request.TimeOutValue > 0xFFFFFFFFu / 1000 ? 0xFFFFFFFFu
                                                            : request.TimeOutValue * 1000;
    const uint32_t requested = request.DataTransferLength;
    if (request.DataBuffer == nullptr || requested == 0) {
      io.dxfer_direction = SG_DXFER_NONE;
    } else {
      io.dxfer_direction = request.DataIn == 1 ? SG_DXFER_FROM_DEV : SG_DXFER_TO_DEV;
      io.dxfer_len = requested;
      io.dxferp = request.DataBuffer;
    }
    request.DataTransferLength = 0;
    if (::ioctl(fd, SG_IO, &io) != 0) {
      error = errno;
      return false;
    }
    error = 0;
    // Every status layer counts: host and driver errors fail the call; a CHECK CONDITION
    // without sense data cannot be told from a broken transfer.
    if (io.host_status != 0) return false;
    const unsigned driver = io.driver_status & 0x0F;
    if (driver != 0 && driver != 0x08) return false;  // 08h: sense data are present
    request.ScsiStatus = io.status;
    if (io.status == 0x02) {
      if (io.sb_len_wr == 0) return false;
      NormaliseSense(sense, io.sb_len_wr);
      std::memcpy(request.Sense.data(), sense.data(),
                  std::min<size_t>(request.SenseInfoLength, sense.size()));
    } else if (io.status != 0) {
      return false;  // BUSY, RESERVATION CONFLICT, ...
    }
    const uint32_t residual = io.resid > 0 ? static_cast<uint32_t>(io.resid) : 0;
    request.DataTransferLength =
        io.dxfer_direction == SG_DXFER_NONE ? 0 : requested - std::min(requested, residual);
    return true;
  }

  int fd_;
  std::string name_;
  int sgFd_ = -1;
  bool sgTried_ = false;
};

class LinuxSystem : public System {
 public:
  explicit LinuxSystem(MessageSink& sink) : sink_(sink), settings_(SettingsFile::DefaultPath()) {}

  std::optional<uint32_t> PlatformId() override { return kPlatformNt; }

  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    std::vector<std::string> roots;
    if (DIR* dir = ::opendir("/sys/class/block")) {
      while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 2 && name.size() <= 7 && name.rfind("sr", 0) == 0 &&
            std::all_of(name.begin() + 2, name.end(), ::isdigit)) {
          roots.push_back(name);
        }
      }
      ::closedir(dir);
    }
    std::sort(roots.begin(), roots.end(), NumericLess);
    return roots;
  }

  DriveType GetDriveType(const std::string& root) override {
    const std::string type = ReadFirstLine("/sys/class/block/" + root + "/device/type");
    return !type.empty() && std::strtoul(type.c_str(), nullptr, 10) == kScsiTypeRom
               ? DriveType::Cdrom
               : DriveType::NoRootDir;
  }

  std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) override {
    if (root.empty() || root.find('/') != std::string::npos) return nullptr;
    // Without O_NONBLOCK a drive without a disc cannot be opened.
    const std::string path = "/dev/" + root;
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) return nullptr;
    return std::make_unique<SgDevice>(fd, root);
  }

  std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string&) override { return nullptr; }
  std::unique_ptr<Event> CreateEvent() override { return nullptr; }
  Registry& Settings() override { return settings_; }

  bool QueryPerformanceFrequency(int64_t& frequency) override {
    frequency = 1'000'000'000;
    return true;
  }
  bool QueryPerformanceCounter(int64_t& count) override {
    count = std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::steady_clock::now().time_since_epoch())
                .count();
    return true;
  }
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  MessageSink& Messages() override { return sink_; }

 private:
  MessageSink& sink_;
  SettingsFile settings_;
};

}  // namespace

std::unique_ptr<System> CreateNativeSystem(MessageSink& sink) {
  return std::make_unique<LinuxSystem>(sink);
}

}  // namespace platform
