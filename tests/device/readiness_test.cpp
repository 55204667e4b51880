// Waiting for a drive to become ready and clearing unit attentions, on the virtual clock.
#include <gtest/gtest.h>

#include "device/atapi_device.h"
#include "support/sim_machines.h"

namespace {

using device::AtapiDevice;
using testing_machines::MachineFromJson;
using testing_machines::OneDrive;

size_t CountTur(const sim::SimSystem& system) {
  size_t n = 0;
  for (const auto& c : system.Log()) n += c.cdb[0] == 0x00;
  return n;
}

struct WaitCase {
  const char* name;
  std::string drive;
  std::string platform;
  int seconds;
  bool result;
  double elapsed;    // virtual seconds the wait took
  size_t turs;       // TEST UNIT READY commands sent
  uint8_t key, asc;  // sense left for the caller
  friend void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }
};

class WaitUntilReady : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitUntilReady, EndsAsExpected) {
  const WaitCase& c = GetParam();
  auto system = MachineFromJson(OneDrive(c.drive, c.platform));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  system->ClearLog();
  const double start = system->Clock().NowSeconds();
  EXPECT_EQ(device.WaitUntilReady(c.seconds), c.result);
  EXPECT_NEAR(system->Clock().NowSeconds() - start, c.elapsed, 1e-9);
  EXPECT_EQ(CountTur(*system), c.turs);
  EXPECT_TRUE(device.SenseIs(c.key, c.asc));
}

INSTANTIATE_TEST_SUITE_P(
    Drives, WaitUntilReady,
    ::testing::Values(
        WaitCase{"NoMediumReturnsAtOnce", "", "", 60, true, 0.0, 2, 2, 0x3A},
        WaitCase{"DiscReady", R"(, "disc": {"type": "cd-r"})", "", 60, true, 0.0, 2, 0, 0},
        WaitCase{"BecomesReadyAfterTwoSeconds",
                 R"(, "becoming_ready_seconds": 2, "disc": {"type": "cd-r"})", "", 60, true, 2.1, 9,
                 0, 0},
        WaitCase{"NeverReadyTimesOut", R"(, "becoming_ready_seconds": 100000)", "", 60, false, 60.0,
                 202, 2, 0x04},
        WaitCase{"UnitAttentionForeverTimesOut", R"(, "unit_attentions": -1)", "", 120, false,
                 120.0, 402, 6, 0x28},
        WaitCase{"WithoutCounterBoundedByPolls", R"(, "becoming_ready_seconds": 100000)",
                 R"(, "counter": false)", 60, false, 60.0, 202, 2, 0x04}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ClearUnitAttention, StopsAtTheFirstOtherOutcome) {
  auto system = MachineFromJson(OneDrive(R"(, "disc": {"type": "cd-r"})"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  system->ClearLog();
  device.ClearUnitAttention();
  EXPECT_EQ(CountTur(*system), 1u);
}

TEST(ClearUnitAttention, DriveThatNeverStopsCannotHang) {
  auto system = MachineFromJson(OneDrive(R"(, "unit_attentions": -1)"));
  AtapiDevice device(*system, {});  // enumeration clears unit attentions too
  ASSERT_EQ(device.GetDriveCount(), 1);
  ASSERT_TRUE(device.SelectDrive(0));
  system->ClearLog();
  device.ClearUnitAttention();
  EXPECT_EQ(CountTur(*system), 64u);
  EXPECT_TRUE(device.SenseKeyIs(6));
}

}  // namespace

TEST(WaitUntilReady, StopRequestEndsTheWaitAtTheNextPollAndKeepsCommandsFromTheDrive) {
  auto system = MachineFromJson(OneDrive(R"(, "becoming_ready_seconds": 100000)"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  system->ClearLog();
  bool stop = false;
  device.SetStopRequest([&stop] { return stop; });
  device.SetWaitObserver([&stop](const device::WaitProgress& p) {
    if (p.waitedSeconds >= 5) stop = true;
  });
  const double start = system->Clock().NowSeconds();
  EXPECT_FALSE(device.WaitUntilReady(120));
  // The poll that saw 5 seconds sleeps once more; the next one finds the stop.
  EXPECT_NEAR(system->Clock().NowSeconds() - start, 5.4, 1e-9);
  const size_t sent = system->Log().size();
  EXPECT_EQ(CountTur(*system), sent) << "only readiness polls were sent";
  EXPECT_FALSE(device.TestUnitReady());
  EXPECT_FALSE(device.WaitUntilReady(60));
  EXPECT_EQ(system->Log().size(), sent) << "a command reached the drive after the stop";
  stop = false;
  device.SetWaitObserver({});
  device.TestUnitReady();
  EXPECT_EQ(system->Log().size(), sent + 1);
}
