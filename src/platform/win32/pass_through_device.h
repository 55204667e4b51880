// A device opened with CreateFile: one DeviceIoControl with IOCTL_SCSI_PASS_THROUGH_DIRECT per
// command, and IOCTL_SCSI_GET_ADDRESS for its address.
#pragma once

#include "platform/windows_api.h"

#include <memory>
#include <string>

#include "platform/system.h"

namespace platform::win32 {

class PassThroughDevice : public DeviceHandle {
 public:
  // Opens `path` (\\.\E:, \\.\CdRom0, ...) for reading and writing; null when it cannot.
  static std::unique_ptr<PassThroughDevice> Open(const std::string& path);
  ~PassThroughDevice() override;
  PassThroughDevice(const PassThroughDevice&) = delete;
  PassThroughDevice& operator=(const PassThroughDevice&) = delete;

  bool PassThrough(PassThroughRequest& request) override;
  bool GetScsiAddress(ScsiAddress& address) override;
  // The system's error of the last pass-through call that failed.
  DWORD LastError() const { return lastError_; }

 private:
  explicit PassThroughDevice(HANDLE handle) : handle_(handle) {}
  HANDLE handle_;
  DWORD lastError_ = ERROR_SUCCESS;
};

}  // namespace platform::win32
