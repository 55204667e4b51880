// The window program's device thread on Win32, against Wine's own message queue: jobs run off
// the window thread in their order, everything they hand back arrives on the window thread in
// order, and nothing runs after the thread object is gone.
#include "app/win32/win32_device_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using win32ui::Win32DeviceThread;

// Runs the window thread's messages until `done` holds or `milliseconds` pass.
template <typename Done>
bool PumpUntil(Done done, DWORD milliseconds = 5000) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG msg;
  while (!done()) {
    if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      Sleep(1);
    }
  }
  return true;
}

TEST(Win32DeviceThread, JobsRunInOrderOffTheWindowThreadAndReportBackOnIt) {
  const DWORD window = GetCurrentThreadId();
  Win32DeviceThread thread;
  std::vector<std::string> seen;  // touched on the window thread only
  std::atomic<int> offWindow{0};
  for (int i = 0; i < 5; ++i) {
    thread.Post(
        [&, i] {
          if (GetCurrentThreadId() != window) ++offWindow;
          thread.ToWindow([&, i] { seen.push_back("line " + std::to_string(i)); });
          if (i == 2) throw std::runtime_error("drive gone");
        },
        [&, i](const std::string& error) {
          EXPECT_EQ(GetCurrentThreadId(), window);
          seen.push_back("done " + std::to_string(i) + (error.empty() ? "" : ": " + error));
        });
  }
  ASSERT_TRUE(PumpUntil([&] { return seen.size() == 10; }));
  EXPECT_EQ(offWindow.load(), 5);
  EXPECT_EQ(seen, (std::vector<std::string>{"line 0", "done 0", "line 1", "done 1", "line 2",
                                            "done 2: drive gone", "line 3", "done 3", "line 4",
                                            "done 4"}));
}

TEST(Win32DeviceThread, RunAndWaitDeliversWhatTheJobHandsBackAndReturnsItsError) {
  Win32DeviceThread thread;
  std::vector<int> delivered;
  const std::string error = thread.RunAndWait([&] {
    for (int i = 0; i < 3; ++i) thread.ToWindow([&, i] { delivered.push_back(i); });
    throw std::runtime_error("no device");
  });
  EXPECT_EQ(error, "no device");
  EXPECT_EQ(delivered, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(thread.RunAndWait([] {}), "");
}

TEST(Win32DeviceThread, DestructionWaitsForTheRunningJobAndDropsTheRest) {
  std::atomic<bool> firstEnded{false};
  std::atomic<int> laterJobs{0};
  int callsRun = 0;
  {
    Win32DeviceThread thread;
    std::atomic<bool> started{false};
    thread.Post(
        [&] {
          started = true;
          std::this_thread::sleep_for(std::chrono::milliseconds(200));
          firstEnded = true;
        },
        [&](const std::string&) { ++callsRun; });
    for (int i = 0; i < 3; ++i)
      thread.Post([&] { ++laterJobs; }, [&](const std::string&) { ++callsRun; });
    while (!started) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(firstEnded);
  EXPECT_EQ(laterJobs.load(), 0);
  // Whatever was on its way to the window is dropped with the thread object.
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(callsRun, 0);
}

}  // namespace
