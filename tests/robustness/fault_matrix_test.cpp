// Every command the program sends, with every fault a drive can show: enumeration, the
// media report, the feature refresh and a feature switch must end within their bound on
// the virtual clock, fall back to the values the program shows for a failed command, and
// never touch memory they do not own (the sanitizer build runs this too).
#include <regex>

#include <gtest/gtest.h>

#include "features/feature_switches.h"
#include "features/feature_view.h"
#include "media/disc_status.h"
#include "media/disc_status_text.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "media/speed_table.h"
#include "media/speed_table_output.h"
#include "media/speed_verdict.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

// Every opcode that enumeration, the report, the disc status, the speed query, the feature
// refresh or a switch sends.
constexpr uint8_t kCommands[] = {0x00, 0x12, 0x5A, 0x46, 0xAD, 0x43, 0x51, 0x52,
                                 0x25, 0x23, 0xAC, 0xB6, 0xBB, 0xDF, 0x55};

struct FaultCase {
  const char* name;
  sim::Fault fault;
};

sim::Fault Sense(uint8_t key, uint8_t asc) {
  sim::Fault f;
  f.kind = sim::Fault::Kind::Sense;
  f.sense = {key, asc, 0};
  return f;
}
sim::Fault Short(uint32_t length) {
  sim::Fault f;
  f.kind = sim::Fault::Kind::Short;
  f.length = length;
  return f;
}
sim::Fault Kind(sim::Fault::Kind kind) {
  sim::Fault f;
  f.kind = kind;
  return f;
}

const std::vector<FaultCase>& Faults() {
  static const std::vector<FaultCase> faults{
      {"RecoveredError", Sense(0x1, 0x17)},
      {"BecomingReady", Sense(0x2, 0x04)},
      {"NoMedium", Sense(0x2, 0x3A)},
      {"MediumError", Sense(0x3, 0x11)},
      {"HardwareError", Sense(0x4, 0x00)},
      {"IllegalRequest", Sense(0x5, 0x24)},
      {"UnitAttention", Sense(0x6, 0x28)},
      {"AbortedCommand", Sense(0xB, 0x00)},
      {"ZeroLength", Short(0)},
      {"OneByte", Short(1)},
      {"SevenBytes", Short(7)},
      {"ElevenBytes", Short(11)},
      {"TwentyBytes", Short(20)},
      {"NoAnswer", Kind(sim::Fault::Kind::NoAnswer)},
      {"TransportError", Kind(sim::Fault::Kind::TransportError)},
  };
  return faults;
}

// The shapes a report line can take.
bool IsReportLine(const std::string& line) {
  static const std::regex shapes(
      "        Drive Type = .*|         Disc Type = .*|"
      "          Material = (Phase Change|Cyanine|Phthalocyanine)|"
      "           Lead In = \\d\\d:\\d\\d:\\d\\d|          Lead Out = \\d\\d:\\d\\d:\\d\\d|"
      "  Nominal Capacity = -?\\d+\\.\\d\\d(MB|GB)|Manufacturer Maybe = .*|"
      "QUILL-RATE Speed Limit = \\d+(\\.\\d)?X \\(Write\\)|"
      "          Disc (MID|TID|MSI) = ([0-9A-F]{2} )+\\(.*\\)|"
      "        Time Stamp = [0-9A-F]{2} [0-9A-F]{2} |         PR Number = [0-9A-F]{2} |"
      "       Spoke Count = \\d+| Track Shift Count = \\d+| Outer MID = ([0-9A-F]{2} ){15}|"
      " Inner MID = ([0-9A-F]{2} ){16}|             ([0-9A-F]{2} ){14,16}");
  return std::regex_match(line, shapes);
}

// Virtual time one operation may take: its waits for readiness, and for each command that
// never answers the driver's full time-out.
double TimeBound(const sim::SimSystem& system, size_t firstCommand) {
  const size_t commands = system.Log().size() - firstCommand;
  return 60 + 120 + 60 + 10 + static_cast<double>(commands) * 108001.0;
}

// Runs enumeration, then on every drive a report, the speed query, a refresh, a switch and a
// refresh, and
// checks the invariants of each.
void Exercise(sim::Machine machine, const std::string& label) {
  SCOPED_TRACE(label);
  sim::SimSystem system(std::move(machine));
  double start = system.Clock().NowSeconds();
  auto device = media::CreateDevice(system);
  ASSERT_LE(system.Clock().NowSeconds() - start, TimeBound(system, 0));
  ASSERT_LE(system.Log().size(), 6u * (1 + 64 + 10 + 3 + 64 + 2));
  media::SilentReportSink sink;
  for (int i = 0; i < device->GetDriveCount(); ++i) {
    if (!device->SelectDrive(i)) continue;
    const size_t before = system.Log().size();
    start = system.Clock().NowSeconds();
    const media::MediaReport report = media::RunMediaReport(*device, {}, sink);
    EXPECT_LE(system.Clock().NowSeconds() - start, TimeBound(system, before));
    EXPECT_LE(system.Log().size() - before, 1500u);
    ASSERT_FALSE(report.lines.empty());
    EXPECT_EQ(report.lines[0].rfind("        Drive Type = ", 0), 0u);
    EXPECT_LE(report.lines.size(), 9u);
    for (const std::string& line : report.lines)
      EXPECT_TRUE(IsReportLine(line)) << "[" << line << "]";

    // The disc status gives only numbers that a disc of its kind can have, or none.
    const size_t beforeStatus = system.Log().size();
    start = system.Clock().NowSeconds();
    const media::DiscStatus status = media::ReadDiscStatus(*device);
    EXPECT_LE(system.Clock().NowSeconds() - start, TimeBound(system, beforeStatus));
    // At most a minute of readiness polls, then a few commands.
    EXPECT_LE(system.Log().size() - beforeStatus, 300u);
    if (status.freeBlocks) {
      EXPECT_LE(*status.freeBlocks, media::MostBlocksForProfile(status.profile));
    }
    if (status.recordedBlocks) {
      EXPECT_LE(*status.recordedBlocks, media::MostBlocksForProfile(status.profile));
    }
    EXPECT_FALSE(media::DiscStatusLines(status).empty());

    // The speed query: the same lines, a table no longer than both lists can make, and a
    // verdict only in one of its two shapes.
    media::QueryOptions speedQuery;
    speedQuery.speedTable = true;
    const size_t beforeSpeeds = system.Log().size();
    start = system.Clock().NowSeconds();
    const media::MediaReport speeds = media::RunMediaReport(*device, {}, sink, speedQuery);
    EXPECT_LE(system.Clock().NowSeconds() - start, TimeBound(system, beforeSpeeds));
    for (const std::string& line : speeds.lines)
      EXPECT_TRUE(IsReportLine(line)) << "[" << line << "]";
    const media::SpeedTable table =
        media::BuildSpeedTable(speeds.speedAnswers.value_or(media::SpeedAnswers{}), speeds.discKind,
                               speeds.speedKbps, speeds.discRating);
    EXPECT_LE(table.rows.size(), 50u + 56u);
    const auto verdict = media::SpeedVerdict(table);
    if (verdict) {
      EXPECT_TRUE(verdict->rfind("This drive offers at most ", 0) == 0 ||
                  verdict->rfind("This drive offers up to ", 0) == 0)
          << *verdict;
    }
    EXPECT_FALSE(media::SpeedTableLines(speeds.discKind, table, verdict).empty());

    for (const features::FeatureView& view : features::RefreshAbilities(*device)) {
      EXPECT_TRUE(view.state == "YES" || view.state == "NO" || view.state == "N/A");
      EXPECT_EQ(view.buttonEnabled, view.support == "YES");
    }
    features::Switch(*device, features::Feature::Pacelift, true);
    features::RefreshAbilities(*device);
    for (const sim::LoggedCommand& c : system.Log()) EXPECT_LE(c.transferred, c.length);
  }
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<uint8_t, size_t>> {};

TEST_P(FaultMatrix, EveryOperationEndsAndFallsBack) {
  const auto [opcode, faultIndex] = GetParam();
  const FaultCase& fault = Faults()[faultIndex];
  for (const bool always : {true, false}) {
    sim::Machine machine = sim::DemoMachine();
    for (sim::Drive& drive : machine.drives) {
      sim::Fault f = fault.fault;
      f.opcode = opcode;
      f.times = always ? -1 : 1;
      f.skip = always ? 0 : 3;  // a single failure in the middle of the work
      drive.faults.push_back(f);
    }
    Exercise(std::move(machine), std::string(fault.name) + (always ? " always" : " once"));
  }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kCommands),
                                            ::testing::Range<size_t>(0, 15)),
                         [](const auto& p) {
                           static const char* digits = "0123456789ABCDEF";
                           const uint8_t op = std::get<0>(p.param);
                           return std::string("Op") + digits[op >> 4] + digits[op & 15] + "_" +
                                  Faults()[std::get<1>(p.param)].name;
                         });

TEST(DriveFaults, UnitAttentionStormBecomingReadyForeverAndVanishing) {
  for (int vanishAfter = 0; vanishAfter < 40; vanishAfter += 3) {
    sim::Machine machine = sim::DemoMachine();
    for (sim::Drive& drive : machine.drives) drive.vanishAfter = vanishAfter;
    Exercise(std::move(machine), "vanish after " + std::to_string(vanishAfter));
  }
  sim::Machine storm = sim::DemoMachine();
  for (sim::Drive& drive : storm.drives) drive.unitAttentions = -1;
  Exercise(std::move(storm), "unit attention storm");
  sim::Machine sleepy = sim::DemoMachine();
  for (sim::Drive& drive : sleepy.drives) drive.becomingReadySeconds = 1e12;
  Exercise(std::move(sleepy), "becoming ready for ever");
}

TEST(Fallbacks, FailedCapabilitiesPageShowsUnknownDriveAndNoFeatures) {
  sim::Machine machine = sim::DemoMachine();
  for (sim::Drive& drive : machine.drives)
    drive.faults.push_back([] {
      sim::Fault f = Sense(0x5, 0x24);
      f.opcode = 0x5A;
      return f;
    }());
  sim::SimSystem system(std::move(machine));
  auto device = media::CreateDevice(system);
  ASSERT_TRUE(device->SelectDrive(1));
  media::SilentReportSink sink;
  const media::MediaReport report = media::RunMediaReport(*device, {}, sink);
  EXPECT_EQ(report.lines[0], "        Drive Type = UNKNOWN (Support LightScribe)");
  EXPECT_EQ(report.lines.back(), "QUILL-RATE Speed Limit = 0X (Write)");
  for (const auto& view : features::RefreshAbilities(*device)) EXPECT_EQ(view.state, "N/A");
}

}  // namespace
