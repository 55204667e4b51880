// A capture records what the drives answered; replaying it gives the same results.
#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "device/atapi_device.h"
#include "platform/capture/capturing_system.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

std::string RunCliText(const std::vector<std::string>& args, int* status = nullptr) {
  std::ostringstream out, err;
  const int s = cli::RunCli(args, out, err);
  if (status != nullptr) *status = s;
  return out.str() + err.str();
}

TEST(CaptureReplay, ReplayListsTheSameDrives) {
  const std::string path = ::testing::TempDir() + "capture_demo.json";
  std::remove(path.c_str());
  int status = -1;
  const std::string live =
      RunCliText({"--simulate", "--capture=" + path, "drives", "--json"}, &status);
  ASSERT_EQ(status, 0) << live;
  const std::string replayed = RunCliText({"--simulate=" + path, "drives", "--json"}, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(replayed, live);
}

TEST(CaptureReplay, RecordsSenseDataAndShortAnswers) {
  sim::Machine machine = sim::LoadMachineFromText(R"({"drives": [{"root": "E:\\",
      "address": {"port": 2, "target": 1}, "vendor": "VEXO", "product": "P",
      "faults": [{"command": "0x12", "kind": "short", "length": 40, "times": 1}]}]})");
  auto capturing =
      std::make_unique<platform::CapturingSystem>(std::make_unique<sim::SimSystem>(machine));
  {
    device::AtapiDevice device(*capturing, {});
    ASSERT_TRUE(device.SelectDrive(0));
    device.TestUnitReady();          // no medium
    device.Inquiry(0, 0, 0, 96, 0);  // full answer this time
  }
  sim::SimSystem replay(sim::LoadMachineFromText(capturing->FixtureText()));
  device::AtapiDevice device(replay, {});
  ASSERT_EQ(device.GetDriveCount(), 1);
  EXPECT_EQ(device.GetDriveEntry(0)->Adapter, 2);
  EXPECT_EQ(device.GetDriveEntry(0)->Target, 1);
  ASSERT_TRUE(device.SelectDrive(0));
  // The enumeration's INQUIRY got 40 bytes; the same CDB now gets the later full answer.
  EXPECT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  EXPECT_EQ(device.BytesTransferred(), 96u);
  EXPECT_FALSE(device.TestUnitReady());
  EXPECT_TRUE(device.SenseIs(2, 0x3A));
  // A command never recorded fails below the drive, with no answer invented, and the replay
  // says so once for the drive.
  const uint32_t unanswered = device.UnansweredCommands();
  EXPECT_FALSE(device.ReadDiscInformation(256, 0));
  EXPECT_FALSE(device.ReadFormatCapacities(96, 0));
  EXPECT_EQ(device.SenseKey(), 0);
  EXPECT_EQ(device.UnansweredCommands(), unanswered + 2);
  ASSERT_EQ(replay.RecordedMessages().shown.size(), 1u);
  EXPECT_EQ(replay.RecordedMessages().shown[0].caption, "Replay:");
  EXPECT_EQ(replay.RecordedMessages().shown[0].text,
            "Drive E:\\ has no recorded answer to the command 51 00 00 00 00 00 00 01 00 00 00 "
            "00 (the capture holds no READ DISC INFORMATION answer); every command without a "
            "recorded answer fails as if the drive did not answer.");
}

TEST(CaptureReplay, UnwritableCaptureFileFailsTheCommand) {
  int status = -1;
  const std::string output =
      RunCliText({"--simulate", "--capture=/nonexistent-dir/c.json", "drives"}, &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("cannot write \"/nonexistent-dir/c.json\": its folder /nonexistent-dir "
                        "does not exist"),
            std::string::npos)
      << output;
}

}  // namespace
