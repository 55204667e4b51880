// The commands `speeds` sends per disc type: the report's query, with the two write speed
// lists read once before anything changes the drive's speed. The simulator logs every
// command a drive receives, so the counts are exact.
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
#include "support/media_rig.h"

namespace {

namespace mmc = platform::mmc;

struct SpeedsCountCase {
  const char* name;
  size_t demoDrive;
  bool disc;
  size_t reportCommands;  // the report's query, as the report's own count test has it
  size_t speedsCommands;
  // The opcodes the speed query sends that the report's does not, in order.
  std::vector<uint8_t> added;
};

using media_test::QueryRun;

QueryRun Query(size_t demoDrive, bool speedTable) {
  sim::Machine machine = sim::DemoMachine();
  machine.drives = {machine.drives.at(demoDrive)};
  return media_test::RunQuery(std::move(machine), speedTable);
}

std::vector<uint8_t> Opcodes(const std::vector<sim::LoggedCommand>& log) {
  std::vector<uint8_t> out;
  for (const auto& c : log) out.push_back(c.cdb[0]);
  return out;
}

// What `b` holds beyond `a`, in order (a multiset difference).
std::vector<uint8_t> Added(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  std::vector<uint8_t> added;
  for (uint8_t op : b) {
    const auto it = std::find(a.begin(), a.end(), op);
    if (it != a.end()) {
      a.erase(it);
    } else {
      added.push_back(op);
    }
  }
  return added;
}

const SpeedsCountCase kCases[] = {
    {"DVD-ROM drive, DVD-ROM", 0, true, 9, 9, {}},
    {"writer, CD-R", 1, true, 11, 12, {mmc::kGetPerformance}},
    {"writer, DVD+R", 2, true, 12, 12, {}},
    {"writer, DVD-R", 3, true, 12, 12, {}},
    {"BD writer, BD-R", 4, true, 6, 7, {mmc::kGetPerformance}},
    {"writer, no disc", 5, false, 4, 4, {}},
};

TEST(SpeedsCommandCount, PerDiscTypeTheReportsCommandsAndTheSpeedListsOnce) {
  for (const SpeedsCountCase& c : kCases) {
    const QueryRun report = Query(c.demoDrive, false);
    const QueryRun speeds = Query(c.demoDrive, true);
    std::printf("%-24s report %2zu  speeds %2zu\n", c.name, report.log.size(), speeds.log.size());
    EXPECT_EQ(report.log.size(), c.reportCommands) << c.name;
    EXPECT_EQ(speeds.log.size(), c.speedsCommands) << c.name;
    EXPECT_EQ(Added(Opcodes(report.log), Opcodes(speeds.log)), c.added) << c.name;
    // The query's own results stay as they are.
    EXPECT_EQ(speeds.report.lines, report.report.lines) << c.name;
    EXPECT_EQ(speeds.report.speedKbps, report.report.speedKbps) << c.name;
    // With a disc, the capabilities page goes out whole the first time, so its later reads
    // are answered from it until the speed is set; without one nothing more is read.
    EXPECT_EQ(speeds.report.speedAnswers.has_value(), c.disc) << c.name;
    const auto firstPage = std::find_if(speeds.log.begin(), speeds.log.end(), [](const auto& l) {
      return l.cdb[0] == mmc::kModeSense10 && (l.cdb[2] & 0x3F) == 0x2A;
    });
    ASSERT_NE(firstPage, speeds.log.end()) << c.name;
    if (!c.disc) continue;
    EXPECT_GT((firstPage->cdb[7] << 8 | firstPage->cdb[8]), 42) << c.name;
  }
}

TEST(SpeedsCommandCount, NoReadIsSentTwiceBetweenChanges) {
  for (const SpeedsCountCase& c : kCases) {
    std::vector<std::array<uint8_t, 12>> sent;
    for (const sim::LoggedCommand& command : Query(c.demoDrive, true).log) {
      const uint8_t opcode = command.cdb[0];
      if (command.direction != platform::Direction::In) {
        if (opcode != mmc::kTestUnitReady) sent.clear();
        continue;
      }
      if (opcode == mmc::kInquiry ||
          (opcode == mmc::kModeSense10 && (command.cdb[2] & 0x3F) == mmc::kVendorFeaturePage))
        continue;
      // The same command, whatever length was asked.
      std::array<uint8_t, 12> asked = command.cdb;
      if (const auto at = mmc::AllocationLengthAt(opcode)) asked[*at] = asked[*at + 1] = 0;
      EXPECT_EQ(std::count(sent.begin(), sent.end(), asked), 0)
          << c.name << ": opcode " << int{opcode} << " sent again";
      sent.push_back(asked);
    }
  }
}

}  // namespace
