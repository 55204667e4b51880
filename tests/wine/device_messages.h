// Device messages as Windows sends them, built for the tests, and what the follow was told in
// short words.
#pragma once

#include "platform/windows_api.h"

#include <dbt.h>

#include <string>
#include <vector>

#include "platform/drive_events.h"

namespace device_messages {

using platform::DriveNotice;
using platform::DriveNoticeKind;

inline constexpr GUID kCdrom = {
    0x53f56308, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};
inline constexpr GUID kDisk = {
    0x53f56307, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

inline DEV_BROADCAST_VOLUME Volume(DWORD letters, WORD flags) {
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = letters;
  volume.dbcv_flags = flags;
  return volume;
}

inline DEV_BROADCAST_DEVICEINTERFACE_W Interface(const GUID& kind) {
  DEV_BROADCAST_DEVICEINTERFACE_W device{};
  device.dbcc_size = sizeof device;
  device.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  device.dbcc_classguid = kind;
  return device;
}

inline std::vector<std::string> Told(const std::vector<DriveNotice>& notices) {
  std::vector<std::string> told;
  for (const DriveNotice& notice : notices) {
    const char* kind = notice.kind == DriveNoticeKind::DriveAdded     ? "added"
                       : notice.kind == DriveNoticeKind::DriveRemoved ? "removed"
                       : notice.kind == DriveNoticeKind::MediaChanged ? "media"
                                                                      : "eject";
    told.push_back(std::string(kind) + " " + notice.root);
  }
  return told;
}

}  // namespace device_messages
