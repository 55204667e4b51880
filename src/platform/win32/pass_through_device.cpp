#include "platform/win32/pass_through_device.h"

#include <algorithm>
#include <cstring>

#include "platform/files/win32/wide_text.h"
#include "platform/win32/scsi_layouts.h"

namespace platform::win32 {
namespace {

constexpr UCHAR kStatusGood = 0x00;
constexpr UCHAR kStatusCheckCondition = 0x02;

}  // namespace

std::unique_ptr<PassThroughDevice> PassThroughDevice::Open(const std::string& path) {
  const HANDLE handle =
      CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<PassThroughDevice>(new PassThroughDevice(handle));
}

PassThroughDevice::~PassThroughDevice() {
  CloseHandle(handle_);
}

bool PassThroughDevice::PassThrough(PassThroughRequest& request) {
  PassThroughBlock block{};
  SCSI_PASS_THROUGH_DIRECT& native = block.request;
  native.Length = sizeof native;
  native.PathId = request.PathId;
  native.TargetId = request.TargetId;
  native.Lun = request.Lun;
  native.CdbLength = request.CdbLength;
  native.SenseInfoLength = std::min<UCHAR>(request.SenseInfoLength, kPassThroughSenseBytes);
  native.DataIn = request.DataIn;
  native.DataTransferLength = request.DataTransferLength;
  native.TimeOutValue = request.TimeOutValue;
  native.DataBuffer = request.DataBuffer;
  native.SenseInfoOffset = offsetof(PassThroughBlock, sense);
  std::memcpy(native.Cdb, request.Cdb.data(), std::min(sizeof native.Cdb, request.Cdb.size()));

  DWORD returned = 0;
  const bool called = DeviceIoControl(handle_, IOCTL_SCSI_PASS_THROUGH_DIRECT, &block, sizeof block,
                                      &block, sizeof block, &returned, nullptr) != 0;
  const DWORD error = called ? ERROR_SUCCESS : GetLastError();
  // The sense area was cleared: a call that failed leaves no sense key behind.
  std::memcpy(request.Sense.data(), block.sense,
              std::min(sizeof block.sense, request.Sense.size()));
  request.ScsiStatus = native.ScsiStatus;
  request.DataTransferLength = called ? native.DataTransferLength : 0;
  if (!called) {
    // Windows refused to send the command (the user lacks the right to it): the drive was
    // never asked, so this is no sign of a drive that stopped answering.
    lastError_ = error;
    request.Refused = error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD;
    return false;
  }
  // A drive that ends a command in CHECK CONDITION without sense data cannot be told from a
  // broken transfer, and BUSY or RESERVATION CONFLICT is no answer at all: either is a failed
  // call, never a success with whatever the buffer holds.
  if (native.ScsiStatus == kStatusCheckCondition) return native.SenseInfoLength > 0;
  return native.ScsiStatus == kStatusGood;
}

bool PassThroughDevice::GetScsiAddress(ScsiAddress& address) {
  // Zeroed: a driver that answers without filling it in reports no device. The request
  // takes no input; Wine refuses one.
  SCSI_ADDRESS native{};
  DWORD returned = 0;
  if (DeviceIoControl(handle_, IOCTL_SCSI_GET_ADDRESS, nullptr, 0, &native, sizeof native,
                      &returned, nullptr) == 0) {
    return false;
  }
  address.Length = static_cast<uint8_t>(std::min<ULONG>(native.Length, 0xFF));
  address.PortNumber = native.PortNumber;
  address.PathId = native.PathId;
  address.TargetId = native.TargetId;
  address.Lun = native.Lun;
  return true;
}

}  // namespace platform::win32
