// A kernel for the Linux backend's tests: a small sysfs and /dev, SG_IO answered by a test
// function, every call logged, and a switch that makes the drive vanish.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <sys/sysmacros.h>

#include "platform/linux/kernel_calls.h"
#include "platform/system.h"

namespace fake {

// One SG_IO as the backend filled it in, and how the kernel ended it.
struct SgIoCall {
  std::string node;  // "/dev/sr0", "/dev/sg3"
  std::vector<uint8_t> cdb;
  int direction = 0;  // SG_DXFER_*
  unsigned length = 0;
  bool hasData = false;
  unsigned timeoutMs = 0;
  unsigned senseRoom = 0;
  bool senseZeroed = false;
  int result = 0;  // the errno returned
};

struct OpenCall {
  std::string path;
  int flags = 0;
  int result = 0;  // descriptor or negated errno
};

class FakeKernel : public platform::KernelCalls {
 public:
  // Answers one SG_IO on a node: fills the header, returns 0 or the ioctl's errno.
  using Answer = std::function<int(const std::string& node, sg_io_hdr_t& io)>;

  // The errno an open of a device node gets, per access mode; 0 opens it.
  // Its stat: a CD-ROM block device (sr, major 11) unless set otherwise; `version` is what
  // SG_GET_VERSION_NUM answers on it (a negated errno: the request is unknown).
  struct Node {
    int readWriteError = 0;
    int readOnlyError = 0;
    mode_t mode = S_IFBLK | 0660;
    dev_t rdev = makedev(11, 0);
    gid_t gid = 0;
    int version = -ENOTTY;
    int statError = 0;
  };

  std::map<std::string, std::vector<std::string>> dirs;
  std::map<std::string, std::string> files;  // first lines
  std::map<std::string, std::string> links;
  std::map<std::string, Node> nodes;
  Answer answer;
  // When not 0, every call fails with this errno: the drive has gone.
  int goneError = 0;

  std::vector<SgIoCall> sgIos;
  std::vector<OpenCall> opens;
  std::vector<int> closed;

  // Lists block device `name` with SCSI type `type` (none: no type file), a device link to
  // `link` (empty: none), its /dev node, and its sg node when `sg` is not empty.
  void AddBlockDevice(const std::string& name, const char* type, const std::string& link,
                      const std::string& sg = "");

  std::optional<std::vector<std::string>> ReadDir(const std::string& path) override;
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  std::optional<std::string> ReadLink(const std::string& path) override;
  int Open(const std::string& path, int flags) override;
  int Stat(const std::string& path, struct stat& info) override;
  int SgVersion(int fd) override;
  int SgIo(int fd, sg_io_hdr_t& io) override;
  void Close(int fd) override;

  // The descriptors still open.
  std::set<int> OpenDescriptors() const;
  // SG_IO calls and opens on one node.
  size_t SgIosOn(const std::string& node) const;
  size_t OpensOf(const std::string& path) const;

 private:
  std::map<int, std::string> fds_;
  int nextFd_ = 3;
};

// Answers that drives give, for FakeKernel::answer.
// GOOD status with `data` (what fits) and the residual of what did not fill the request.
int AnswerGood(sg_io_hdr_t& io, const std::vector<uint8_t>& data);
// CHECK CONDITION with `sense` as the drive sent it.
int AnswerCheckCondition(sg_io_hdr_t& io, const std::vector<uint8_t>& sense);

// A SG_IO answer that hands the command to a drive of the simulator and reports its
// outcome the way the kernel does: the real backend's rules over simulated drives. Nodes
// map to the simulator's roots ("/dev/sr0" to "D:\\").
class SimulatedDrives {
 public:
  SimulatedDrives(platform::System& sim, std::map<std::string, std::string> roots)
      : sim_(sim), roots_(std::move(roots)) {}
  int operator()(const std::string& node, sg_io_hdr_t& io);

 private:
  platform::System& sim_;
  std::map<std::string, std::string> roots_;
  std::map<std::string, std::shared_ptr<platform::DeviceHandle>> handles_;
};

// A data-in request for `length` bytes into `buffer`, as the device layer builds it.
platform::PassThroughRequest ReadRequest(uint8_t opcode, uint8_t* buffer, uint32_t length);

}  // namespace fake
