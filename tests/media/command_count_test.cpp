// How many commands one media query sends to each drive of the demonstration machine and to
// a DVD+R writer of another maker, which rejects the vendor media-ID command: the simulator
// logs every command a drive receives, so the counts are exact. Within one query a read
// command goes out at most once between two commands that change the drive.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/mmc_opcodes.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

struct CountCase {
  const char* name;
  size_t demoDrive;      // the demonstration machine's drive, alone on the machine
  bool disc;             // false: its disc taken out
  bool otherMaker;       // the drive of another maker: no vendor media-ID command
  size_t queryCommands;  // one query with nothing kept from before
  size_t runCommands;    // drive list and query, as one `report` run sends them
};

sim::Machine OneDriveMachine(const CountCase& c) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(c.demoDrive);
  if (!c.disc) drive.disc.reset();
  if (c.otherMaker) {
    drive.vendor = "OTHR";
    drive.vendorMediaId = false;
  }
  machine.drives = {drive};
  return machine;
}

struct Counts {
  size_t query = 0;
  size_t run = 0;
  std::vector<sim::LoggedCommand> queryLog;
  std::vector<std::string> lines;
};

Counts Count(const CountCase& c) {
  Counts counts;
  {
    sim::SimSystem system(OneDriveMachine(c));
    auto device = media::CreateDevice(system);
    device->SelectDrive(0);
    media::SilentReportSink sink;
    counts.lines = media::RunMediaReport(*device, {}, sink).lines;
    counts.run = system.Log().size();
  }
  sim::SimSystem system(OneDriveMachine(c));
  auto device = media::CreateDevice(system);
  device->SelectDrive(0);
  device->ForgetAnswers();
  system.ClearLog();
  media::SilentReportSink sink;
  EXPECT_EQ(media::RunMediaReport(*device, {}, sink).lines, counts.lines) << c.name;
  counts.query = system.Log().size();
  counts.queryLog = system.Log();
  return counts;
}

// The commands whose answer a query keeps: asked again, they are not sent.
bool IsKeptRead(const sim::LoggedCommand& command) {
  const uint8_t opcode = command.cdb[0];
  if (opcode == platform::mmc::kInquiry || opcode == platform::mmc::kTestUnitReady) return false;
  if (opcode == platform::mmc::kModeSense10 &&
      (command.cdb[2] & 0x3F) == platform::mmc::kVendorFeaturePage)
    return false;
  return command.direction == platform::Direction::In;
}

const CountCase kCases[] = {
    {"DVD-ROM drive, DVD-ROM", 0, true, false, 9, 10},
    {"writer, CD-R", 1, true, false, 11, 12},
    {"writer, DVD+R", 2, true, false, 12, 13},
    {"writer, DVD-R", 3, true, false, 12, 13},
    {"BD writer, BD-R", 4, true, false, 6, 7},
    {"writer, no disc", 5, false, false, 4, 5},
    {"writer, CD-R taken out", 1, false, false, 5, 6},
    {"other maker's writer, DVD+R", 2, true, true, 12, 13},
};

TEST(CommandCount, PerQueryOnEveryDemoDriveAndADriveWithoutVendorMediaId) {
  for (const CountCase& c : kCases) {
    const Counts counts = Count(c);
    std::printf("%-30s query %2zu  run %2zu\n", c.name, counts.query, counts.run);
    EXPECT_EQ(counts.query, c.queryCommands) << c.name;
    EXPECT_EQ(counts.run, c.runCommands) << c.name;
  }
}

TEST(CommandCount, NoReadIsSentTwiceBetweenChanges) {
  for (const CountCase& c : kCases) {
    std::vector<std::array<uint8_t, 12>> sent;
    for (const sim::LoggedCommand& command : Count(c).queryLog) {
      if (!IsKeptRead(command)) {
        if (command.direction != platform::Direction::In &&
            command.cdb[0] != platform::mmc::kTestUnitReady)
          sent.clear();  // a command that changes the drive: everything may be asked again
        continue;
      }
      EXPECT_EQ(std::count(sent.begin(), sent.end(), command.cdb), 0)
          << c.name << ": opcode " << int{command.cdb[0]} << " sent again";
      sent.push_back(command.cdb);
    }
  }
}

}  // namespace
