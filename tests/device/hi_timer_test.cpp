#include "device/hi_timer.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_system.h"

namespace {

TEST(HiTimer, MeasuresVirtualTime) {
  sim::SimSystem system{sim::Machine{}};
  device::HiTimer timer(system);
  timer.Start(true);
  system.Sleep(1500);
  EXPECT_DOUBLE_EQ(timer.RunningSeconds(), 1.5);
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 1.5);
  EXPECT_DOUBLE_EQ(timer.RunningSeconds(), 0.0);
}

}  // namespace
