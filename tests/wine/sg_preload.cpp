// A Linux library preloaded into Wine that answers SG_IO on one file from a simulated drive,
// so that quillrate-cli.exe, opening \\?\unix<FILE>, drives Wine's real pass-through code:
// Wine's ntdll turns IOCTL_SCSI_PASS_THROUGH_DIRECT into SG_IO, and IOCTL_SCSI_GET_ADDRESS into
// fstat plus SCSI_IOCTL_GET_IDLUN, on a descriptor that Wine's server opened and passed over.
// The descriptor is therefore recognised by the file it refers to, not by an open seen here.
//
//   QUILLRATE_SG_NODE     the file that stands for the drive (a plain file)
//   QUILLRATE_SG_FIXTURE  the simulated machine; its drive QUILLRATE_SG_DRIVE (default 0) answers
//   QUILLRATE_SG_NO_SENSE_OPCODE  a command (hex) whose CHECK CONDITION comes without sense data
//   QUILLRATE_SG_REFUSE   set: every SG_IO is refused with EPERM, as the kernel refuses a
//                         command to a user without the right to it
#include <dlfcn.h>
#include <scsi/sg.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

constexpr unsigned long kScsiIoctlGetIdlun = 0x5382;
constexpr unsigned kScsiCdromMajor = 11;
constexpr unsigned char kCheckCondition = 0x02;
constexpr unsigned short kDriverSense = 0x08;
constexpr size_t kFixedSenseBytes = 18;

struct Emulation {
  std::string node;
  std::unique_ptr<sim::SimSystem> system;
  size_t drive = 0;
  int senselessOpcode = -1;
  bool refuse = false;
  std::mutex lock;
};

// Set while the fixture is read: that read's own fstat calls must not ask for the emulation.
std::atomic<bool> loading{false};

Emulation* Emulated() {
  static Emulation* emulation = []() -> Emulation* {
    loading = true;
    struct Done {
      ~Done() { loading = false; }
    } done;
    const char* node = std::getenv("QUILLRATE_SG_NODE");
    const char* fixture = std::getenv("QUILLRATE_SG_FIXTURE");
    if (node == nullptr || fixture == nullptr) return nullptr;
    char real[PATH_MAX];
    if (::realpath(node, real) == nullptr) return nullptr;
    auto* e = new Emulation;
    e->node = real;
    e->system = std::make_unique<sim::SimSystem>(sim::LoadMachineFromFile(fixture));
    if (const char* drive = std::getenv("QUILLRATE_SG_DRIVE")) {
      e->drive = std::strtoul(drive, nullptr, 10);
    }
    e->refuse = std::getenv("QUILLRATE_SG_REFUSE") != nullptr;
    if (const char* opcode = std::getenv("QUILLRATE_SG_NO_SENSE_OPCODE")) {
      e->senselessOpcode = static_cast<int>(std::strtol(opcode, nullptr, 16));
    }
    return e;
  }();
  return emulation;
}

// The descriptor refers to the emulated node, whoever opened it.
bool IsNode(int fd) {
  if (loading) return false;
  Emulation* e = Emulated();
  if (e == nullptr || fd < 0) return false;
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char target[PATH_MAX];
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = '\0';
  return e->node == target;
}

int AnswerSgIo(sg_io_hdr_t& io) {
  Emulation& e = *Emulated();
  if (e.refuse) {
    errno = EPERM;
    return -1;
  }
  std::lock_guard<std::mutex> hold(e.lock);
  std::array<uint8_t, 16> cdb{};
  std::memcpy(cdb.data(), io.cmdp, std::min<size_t>(io.cmd_len, cdb.size()));
  const platform::Direction direction =
      io.dxfer_direction == SG_DXFER_FROM_DEV ? platform::Direction::In
      : io.dxfer_direction == SG_DXFER_TO_DEV ? platform::Direction::Out
                                              : platform::Direction::None;
  const sim::CommandOutcome outcome = e.system->Execute(
      e.drive, cdb, direction, static_cast<uint8_t*>(io.dxferp), io.dxfer_len, false);
  if (!outcome.answered || !outcome.transportOk) {
    errno = EIO;
    return -1;
  }
  io.status = outcome.checkCondition ? kCheckCondition : 0;
  io.masked_status = static_cast<unsigned char>(io.status >> 1);
  io.host_status = 0;
  io.driver_status = outcome.checkCondition ? kDriverSense : 0;
  io.sb_len_wr = 0;
  if (outcome.checkCondition && io.sbp != nullptr && cdb[0] != e.senselessOpcode) {
    io.sb_len_wr = static_cast<unsigned char>(std::min<size_t>(io.mx_sb_len, kFixedSenseBytes));
    std::memcpy(io.sbp, outcome.sense.data(), io.sb_len_wr);
  }
  io.resid = static_cast<int>(io.dxfer_len - std::min(io.dxfer_len, outcome.transferred));
  io.info = outcome.checkCondition ? SG_INFO_CHECK : SG_INFO_OK;
  return 0;
}

// host << 24 | channel << 16 | lun << 8 | id, from the drive's address in the fixture.
int AnswerIdLun(uint32_t* idlun) {
  const sim::Drive& model = Emulated()->system->DriveAt(Emulated()->drive).Model();
  idlun[0] = uint32_t{model.port} << 24 | uint32_t{model.path} << 16 | uint32_t{model.lun} << 8 |
             model.target;
  idlun[1] = model.port;
  return 0;
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) {
  va_list args;
  va_start(args, request);
  void* argument = va_arg(args, void*);
  va_end(args);
  if (IsNode(fd)) {
    if (request == SG_IO) return AnswerSgIo(*static_cast<sg_io_hdr_t*>(argument));
    if (request == kScsiIoctlGetIdlun) return AnswerIdLun(static_cast<uint32_t*>(argument));
    errno = ENOTTY;
    return -1;
  }
  static const auto real = Real<int (*)(int, unsigned long, ...)>("ioctl");
  return real(fd, request, argument);
}

// The node is a CD-ROM block device (SCSI CD-ROM major) to whoever looks at it.
extern "C" int fstat(int fd, struct stat* info) {
  static const auto real = Real<int (*)(int, struct stat*)>("fstat");
  const int result = real(fd, info);
  if (result == 0 && IsNode(fd)) {
    info->st_mode = S_IFBLK | (info->st_mode & 07777);
    info->st_rdev = makedev(kScsiCdromMajor, 0);
  }
  return result;
}
