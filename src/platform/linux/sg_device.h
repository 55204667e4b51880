// An opened CD-ROM block device: pass-through with SG_IO, the SCSI address from sysfs, and
// the drive's sg node for the few commands the block layer refuses an unprivileged user.
#pragma once

#include <string>

#include "platform/linux/kernel_calls.h"
#include "platform/system.h"

namespace platform {

class SgDevice : public DeviceHandle {
 public:
  // Takes over `fd`, the open block device `name` (sr0).
  SgDevice(KernelCalls& kernel, int fd, std::string name)
      : kernel_(kernel), fd_(fd), name_(std::move(name)) {}
  ~SgDevice() override;
  SgDevice(const SgDevice&) = delete;
  SgDevice& operator=(const SgDevice&) = delete;

  bool PassThrough(PassThroughRequest& request) override;
  bool GetScsiAddress(ScsiAddress& address) override;

 private:
  // The sg node opened read-write, or -1; it is looked for once.
  int SgNodeDescriptor();

  KernelCalls& kernel_;
  int fd_;
  std::string name_;
  int sgFd_ = -1;
  bool sgTried_ = false;
};

}  // namespace platform
