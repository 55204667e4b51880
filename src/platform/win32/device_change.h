// What a WM_DEVICECHANGE message tells about CD-ROM drives and their discs. Every top-level
// window gets the volume messages (a disc arrived or went, a drive letter came or went); the
// CD-ROM device-interface messages (a drive plugged in or pulled out) come to a window that
// registered for them.
#pragma once

#include "platform/windows_api.h"

#include <vector>

#include "platform/drive_events.h"

namespace platform::win32 {

// The notices of one WM_DEVICECHANGE (its wParam and lParam); none for any other event, device
// type or interface class, or a broadcast too short for its type.
std::vector<DriveNotice> NoticesOfDeviceChange(WPARAM event, LPARAM data);

// Registers `window` for CD-ROM drives plugged in and pulled out; null when the system refuses
// (the drive list is then compared now and then instead).
HDEVNOTIFY RegisterCdromNotifications(HWND window);

}  // namespace platform::win32
