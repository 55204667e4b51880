#include "platform/win32/device_change.h"

#include <dbt.h>

#include <cstring>

namespace platform::win32 {
namespace {

// The CD-ROM device interface class.
constexpr GUID kCdromInterface = {
    0x53f56308, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

constexpr int kDriveLetters = 26;

}  // namespace

std::vector<DriveNotice> NoticesOfDeviceChange(WPARAM event, LPARAM data) {
  if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || data == 0) return {};
  const bool arrival = event == DBT_DEVICEARRIVAL;
  // The broadcast is read by copying, only as far as its own size says it goes.
  DEV_BROADCAST_HDR header;
  std::memcpy(&header, reinterpret_cast<const void*>(data), sizeof header);
  std::vector<DriveNotice> notices;
  if (header.dbch_devicetype == DBT_DEVTYP_VOLUME) {
    if (header.dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return {};
    DEV_BROADCAST_VOLUME volume;
    std::memcpy(&volume, reinterpret_cast<const void*>(data), sizeof volume);
    // With DBTF_MEDIA the disc changed; without, the drive letter itself came or went.
    const DriveNoticeKind kind = (volume.dbcv_flags & DBTF_MEDIA) != 0
                                     ? DriveNoticeKind::MediaChanged
                                 : arrival ? DriveNoticeKind::DriveAdded
                                           : DriveNoticeKind::DriveRemoved;
    for (int letter = 0; letter < kDriveLetters; ++letter) {
      if ((volume.dbcv_unitmask & (DWORD{1} << letter)) == 0) continue;
      notices.push_back({kind, std::string{static_cast<char>('A' + letter), ':', '\\'}});
    }
  } else if (header.dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
    if (header.dbch_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)) return {};
    DEV_BROADCAST_DEVICEINTERFACE_W device;
    std::memcpy(&device, reinterpret_cast<const void*>(data), sizeof device);
    if (!IsEqualGUID(device.dbcc_classguid, kCdromInterface)) return {};
    // The interface's name is no drive root; the drive list is made again and compared.
    notices.push_back({arrival ? DriveNoticeKind::DriveAdded : DriveNoticeKind::DriveRemoved, {}});
  }
  return notices;
}

HDEVNOTIFY RegisterCdromNotifications(HWND window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kCdromInterface;
  return RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace platform::win32
