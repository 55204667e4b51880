// The system family, the registry settings and the interval timer.
#include <gtest/gtest.h>

#include "device/hi_timer.h"
#include "platform/sim/sim_system.h"
#include "settings/os_info.h"

namespace {

using settings::OSInfo;

TEST(OSInfo, TellsTheNtFamily) {
  for (const auto& [nt, fails, expected] :
       {std::tuple{true, false, true}, std::tuple{false, false, false},
        std::tuple{true, true, false}}) {
    sim::Machine machine;
    machine.nt = nt;
    machine.versionQueryFails = fails;
    sim::SimSystem system(machine);
    EXPECT_EQ(OSInfo(system).IsNT(), expected);
  }
}

class Registry : public ::testing::Test {
 protected:
  sim::SimSystem system{sim::Machine{}};
  std::array<char, 256> out{};
  const std::string path = "SOFTWARE\\Quillrate\\";
};

TEST_F(Registry, EmptyStringCreatesTheKeyAndReadsBackEmpty) {
  ASSERT_FALSE(system.Registry().KeyExists(path));
  EXPECT_TRUE(OSInfo::WriteRegString(system, "Quillrate", "UserDefinedFule", ""));
  EXPECT_TRUE(system.Registry().KeyExists(path));
  out.fill('x');
  EXPECT_TRUE(OSInfo::ReadRegString(system, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), "");
}

TEST_F(Registry, MissingKeyReadsAbsentWithoutCreatingIt) {
  EXPECT_FALSE(OSInfo::ReadRegString(system, "Quillrate", "UserDefinedFule", out));
  EXPECT_FALSE(system.Registry().KeyExists(path));
}

TEST_F(Registry, ValueSizes) {
  struct Case {
    size_t length;  // characters before the terminating NUL
    bool withNul;
    bool readable;
  };
  for (const Case& c : {Case{255, true, true}, Case{256, true, false}, Case{299, true, false},
                        Case{10, false, true}, Case{256, false, false}}) {
    std::vector<uint8_t> data(c.length, 'a');
    if (c.withNul) data.push_back(0);
    system.Registry().Put(path, "UserDefinedFule", {platform::RegType::String, data});
    out.fill('x');
    EXPECT_EQ(OSInfo::ReadRegString(system, "Quillrate", "UserDefinedFule", out), c.readable)
        << c.length << (c.withNul ? " with NUL" : " without NUL");
    EXPECT_EQ(out[255], '\0');
    if (c.readable) {
      EXPECT_EQ(std::string(out.data()), std::string(c.length, 'a'));
    }
  }
}

TEST_F(Registry, DwordIsStoredLittleEndian) {
  EXPECT_TRUE(OSInfo::WriteRegDword(system, "Quillrate", "Width", 0x01DF));
  const auto* value = system.Registry().Find(path, "Width");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, platform::RegType::Dword);
  EXPECT_EQ(value->data, (std::vector<uint8_t>{0xDF, 0x01, 0x00, 0x00}));
}

TEST_F(Registry, FailedWritesReportFalse) {
  system.Registry().writesFail = true;
  EXPECT_FALSE(OSInfo::WriteRegDword(system, "Quillrate", "Height", 428));
  EXPECT_FALSE(OSInfo::WriteRegString(system, "Quillrate", "UserDefinedFule", "x"));
}

TEST(HiTimer, MeasuresVirtualTimeAndResets) {
  sim::SimSystem system{sim::Machine{}};
  device::HiTimer timer(system);
  EXPECT_DOUBLE_EQ(timer.RunningSeconds(), 0.0);
  timer.Start(true);
  system.Sleep(1500);
  EXPECT_DOUBLE_EQ(timer.RunningSeconds(), 1.5);
  system.Sleep(500);
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 1.5);  // as of the last reading
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 2.0);
  timer.Start(false);
  system.Sleep(1000);
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 3.0);
  timer.Start(true);
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 0.0);
  timer.Stop();  // on an idle timer: nothing
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 0.0);
}

TEST(HiTimer, StartingAtCounterZeroStillRuns) {
  sim::SimSystem system{sim::Machine{}};  // the virtual counter starts at 0
  device::HiTimer timer(system);
  timer.Start(true);
  EXPECT_TRUE(timer.Running());
  system.Sleep(250);
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 0.25);
}

TEST(HiTimer, WithoutCounterEveryReadingIsZero) {
  sim::Machine machine;
  machine.counterAvailable = false;
  sim::SimSystem system(machine);
  device::HiTimer timer(system);
  timer.Start(true);
  system.Sleep(1000);
  EXPECT_DOUBLE_EQ(timer.RunningSeconds(), 0.0);
  timer.Stop();
  EXPECT_DOUBLE_EQ(timer.ElapsedSeconds(), 0.0);
}

}  // namespace
