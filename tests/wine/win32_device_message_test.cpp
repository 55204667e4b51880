// The Windows window's device messages under Wine, on its display: a WM_DEVICECHANGE sent to a
// real top-level window, passed on as the window program does, ends the follow's wait with its
// notices.
#include "platform/win32/device_change.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <thread>
#include <vector>

#include "device_messages.h"
#include "platform/win32/win32_drive_events.h"

namespace {

using namespace device_messages;

using platform::DriveNotice;
using platform::DriveNoticeKind;

constexpr DWORD kE = 1u << 4;

// The window passes its messages on as the window program does.
platform::DriveEvents* g_events = nullptr;

LRESULT CALLBACK FollowingWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DEVICECHANGE && g_events != nullptr) {
    g_events->Wake(platform::win32::NoticesOfDeviceChange(wParam, lParam));
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(DeviceMessages, AMessageToTheWindowEndsTheFollowsWait) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = FollowingWindow;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"QuillrateDeviceChangeTest";
  ASSERT_NE(RegisterClassW(&windowClass), 0);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10,
                                10, nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  // Nothing to read a count from: only the messages tell.
  platform::win32::Win32DriveEvents events(true, [](const std::string&) { return std::nullopt; });
  g_events = &events;
  EXPECT_TRUE(events.TellsHotPlug());
  EXPECT_FALSE(events.SystemWatches("E:\\"));

  std::vector<DriveNotice> got;
  uint64_t waitedMs = 0;
  std::thread follow([&] {
    const uint64_t start = events.NowMs();
    got = events.Wait(20000);
    waitedMs = events.NowMs() - start;
  });
  DEV_BROADCAST_VOLUME discIn = Volume(kE, DBTF_MEDIA);
  DEV_BROADCAST_DEVICEINTERFACE_W cdrom = Interface(kCdrom);
  DEV_BROADCAST_DEVICEINTERFACE_W disk = Interface(kDisk);
  SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&disk));
  SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&discIn));
  SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&cdrom));
  follow.join();
  g_events = nullptr;
  DestroyWindow(window);
  UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);

  // The first news ends the wait; what came with it or after is in this wait or the next.
  std::vector<DriveNotice> all = got;
  const auto more = events.Wait(0);
  all.insert(all.end(), more.begin(), more.end());
  EXPECT_EQ(Told(all), (std::vector<std::string>{"media E:\\", "added "}));
  EXPECT_LT(waitedMs, 10000u) << "the message did not end the wait";
}

}  // namespace
