#include "platform/linux/sg_device.h"

#include <fcntl.h>

#include <cerrno>

#include "platform/linux/sg_io_call.h"
#include "platform/linux/sysfs_drives.h"

namespace platform {

SgDevice::~SgDevice() {
  kernel_.Close(fd_);
  if (sgFd_ >= 0) kernel_.Close(sgFd_);
}

bool SgDevice::PassThrough(PassThroughRequest& request) {
  const PassThroughRequest asked = request;
  const SgIoResult result = SendSgIo(kernel_, fd_, request);
  if (result.ok) return true;
  // The block layer refuses some commands to unprivileged users (the vendor media-ID
  // command, MODE SELECT on a read-only open). The sg node opened read-write applies no
  // such filter, so such a command goes there once more, as it was asked, and nothing else
  // ever does: after a failed command it would hand back stale bytes.
  if (result.error != EPERM && result.error != EACCES) return false;
  request.Refused = true;
  const int sg = SgNodeDescriptor();
  if (sg < 0) return false;
  request = asked;
  const SgIoResult retried = SendSgIo(kernel_, sg, request);
  request.Refused = retried.error == EPERM || retried.error == EACCES;
  return retried.ok;
}

int SgDevice::SgNodeDescriptor() {
  if (!sgTried_) {
    sgTried_ = true;
    const std::string node = SrSgNode(kernel_, name_);
    if (!node.empty()) {
      const int fd = kernel_.Open(node, O_RDWR | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) sgFd_ = fd;
    }
  }
  return sgFd_;
}

bool SgDevice::GetScsiAddress(ScsiAddress& address) {
  const auto found = SrScsiAddress(kernel_, name_);
  if (!found) return false;
  address = *found;
  return true;
}

}  // namespace platform
