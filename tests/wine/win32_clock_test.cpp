// The performance counter, Sleep and the completion events, on the real clock.
#include <gtest/gtest.h>

#include <thread>

#include "device/hi_timer.h"
#include "platform/win32/win32_event.h"
#include "platform/windows_api.h"
#include "wine/win32_test_support.h"

namespace {

TEST(Win32Clock, TheCounterMeasuresASleep) {
  win32_test::RealSystem real;
  int64_t frequency = 0;
  ASSERT_TRUE(real.system->QueryPerformanceFrequency(frequency));
  EXPECT_GT(frequency, 0);
  device::HiTimer timer(*real.system);
  timer.Start(true);
  real.system->Sleep(60);
  EXPECT_GT(timer.RunningSeconds(), 0.05);
  timer.Stop();
  EXPECT_GE(timer.ElapsedSeconds(), 0.05);
  EXPECT_LT(timer.ElapsedSeconds(), 30.0);
}

TEST(Win32Events, AWaitEndsWhenAnotherThreadSignals) {
  win32_test::RealSystem real;
  auto event = real.system->CreateEvent();
  ASSERT_NE(event, nullptr);
  auto& win32 = dynamic_cast<platform::win32::Win32Event&>(*event);
  int completions = 0;
  win32.OnSignalled([&] { ++completions; });
  EXPECT_FALSE(event->Wait(0));  // manual reset, created unsignalled
  EXPECT_EQ(completions, 0);
  std::thread signaller([&] {
    Sleep(20);
    SetEvent(win32.Handle());
  });
  EXPECT_TRUE(event->Wait(10000));
  signaller.join();
  EXPECT_EQ(completions, 1);
  EXPECT_TRUE(event->Wait(0));  // stays signalled; the completion ran once
  EXPECT_EQ(completions, 1);
}

TEST(Win32Events, AWaitThatIsNotSignalledTimesOut) {
  win32_test::RealSystem real;
  auto event = real.system->CreateEvent();
  ASSERT_NE(event, nullptr);
  device::HiTimer timer(*real.system);
  timer.Start(true);
  EXPECT_FALSE(event->Wait(40));
  timer.Stop();
  EXPECT_GE(timer.ElapsedSeconds(), 0.03);
}

}  // namespace
