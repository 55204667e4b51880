// The rating a DVD+R, +R DL or +RW carries in its ADIP: decoded from physical format bytes as
// drives send them, and read by the speed query from the answer the query already holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/response_view.h"
#include "media/disc_rating.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "media/speed_table.h"
#include "media/speed_verdict.h"
#include "platform/mmc_opcodes.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"
#include "support/media_rig.h"

namespace {

using media::DiscRating;

// An extended information block: its first byte (the format number, the high bit set on a
// block that continues the one before), then its primary and upper velocity (bytes 2 and 3).
struct ExtendedBlock {
  uint8_t format = 0;
  uint8_t primary = 0;
  uint8_t upper = 0;
};

// The physical format answer of a + disc: the 4-byte header with its length field, then the
// ADIP's bytes, here only those the rating is read from.
struct Adip {
  Adip(uint8_t inUse, uint8_t primaryCode, uint8_t upperCode, uint8_t indicatorBits = 0,
       std::vector<ExtendedBlock> extendedBlocks = {})
      : bytesInUse(inUse),
        primary(primaryCode),
        upper(upperCode),
        indicators(indicatorBits),
        blocks(std::move(extendedBlocks)) {}
  uint8_t bytesInUse;                 // physical format byte 31
  uint8_t primary;                    // byte 32
  uint8_t upper;                      // byte 33
  uint8_t indicators;                 // byte 18: extended information blocks present
  std::vector<ExtendedBlock> blocks;  // block i from byte 64 + 32i
};

std::vector<uint8_t> PhysicalFormatBytes(const Adip& adip, size_t declared = 2048 + 2) {
  std::vector<uint8_t> b(616, 0);
  b[0] = static_cast<uint8_t>(declared >> 8);
  b[1] = static_cast<uint8_t>(declared);
  b[4] = 0xA1;  // DVD+R, version 1
  b[4 + 18] = adip.indicators;
  b[4 + 31] = adip.bytesInUse;
  b[4 + 32] = adip.primary;
  b[4 + 33] = adip.upper;
  for (size_t i = 0; i < adip.blocks.size(); ++i) {
    b[4 + 64 + 32 * i] = adip.blocks[i].format;
    b[4 + 64 + 32 * i + 2] = adip.blocks[i].primary;
    b[4 + 64 + 32 * i + 3] = adip.blocks[i].upper;
  }
  return b;
}

std::optional<DiscRating> Decode(const std::vector<uint8_t>& bytes, size_t sent,
                                 media::DiscKind kind) {
  const media::PhysicalFormat format{device::ResponseView(std::span(bytes))};
  return media::RatingOfAdip(format, sent, kind);
}

constexpr media::DiscKind kPlusR = media::DiscKind::DvdPlusR;
constexpr media::DiscKind kPlusRDl = media::DiscKind::DvdPlusRDl;
constexpr media::DiscKind kPlusRw = media::DiscKind::DvdPlusRw;

struct AdipCase {
  const char* name;
  Adip adip;
  size_t sent;
  media::DiscKind kind;
  std::optional<DiscRating> rating;
  size_t declared = 2048 + 2;
};

// Velocity codes: 0.25 m/s units, DVD 1x 3.49 m/s (a code of about 14 per 1x) on a single
// layer, 3.84 m/s (about 15.4) on two.
TEST(AdipRating, VelocitiesPresentAsTheDiscSaysCountAndNothingElse) {
  const AdipCase cases[] = {
      {"16x +R: 4x primary, 16x upper", {54, 56, 223}, 616, kPlusR, DiscRating{4, 16}},
      {"8x +R: 2.4x to 8x", {54, 34, 112}, 616, kPlusR, DiscRating{2.4, 8}},
      {"codes a few per cent high still name their step",
       {54, 58, 233},
       616,
       kPlusR,
       DiscRating{4, 16}},
      {"bytes in use stop before the velocities", {32, 56, 223}, 616, kPlusR, std::nullopt},
      {"bytes in use reach the primary only", {33, 56, 223}, 616, kPlusR, DiscRating{4, 4}},
      {"no velocity given", {54, 0, 0}, 616, kPlusR, std::nullopt},
      {"a code near no step names no speed", {54, 0, 195}, 616, kPlusR, std::nullopt},
      {"upper only", {54, 0, 223}, 616, kPlusR, DiscRating{16, 16}},
      {"+R with no extended blocks, an indicator without its block",
       {54, 34, 112, 0x01},
       616,
       kPlusR,
       DiscRating{2.4, 8}},
      {"an extended block raises the rating",
       {54, 34, 112, 0x02, {{}, {1, 0, 223}}},
       616,
       kPlusR,
       DiscRating{2.4, 16}},
      {"an extended block without its indicator",
       {54, 34, 112, 0x01, {{}, {1, 0, 223}}},
       616,
       kPlusR,
       DiscRating{2.4, 8}},
      {"extended velocities alone",
       {0, 0, 0, 0x03, {{1, 0, 56}, {1, 0, 168}}},
       616,
       kPlusR,
       DiscRating{4, 12}},
      // As the +R standard (ECMA-349) gives the extended block of its 8x discs: format 2,
      // primary 54h (about 21 m/s, 6x), upper 70h (about 28 m/s, 8x).
      {"an 8x disc's extended block names 6x to 8x",
       {0, 0, 0, 0x02, {{}, {0x02, 0x54, 0x70}}},
       616,
       kPlusR,
       DiscRating{6, 8}},
      {"an extended block's primary lowers the rating",
       {54, 56, 112, 0x01, {{0x02, 0x22, 0x70}}},
       616,
       kPlusR,
       DiscRating{2.4, 8}},
      {"a block that continues the one before holds no velocities",
       {0, 0, 0, 0x06, {{}, {0x02, 0x54, 0x70}, {0x82, 0x38, 0xDF}}},
       616,
       kPlusR,
       DiscRating{6, 8}},
      {"dual layer: 8x at 3.84 m/s", {54, 37, 123}, 616, kPlusRDl, DiscRating{2.4, 8}},
      {"the same codes on one layer are no step", {54, 0, 123}, 616, kPlusR, std::nullopt},
      // A DVD+RW names only its highest velocity; the next byte is the read power at it
      // (20 x (mW - 0.7): 14 is 1.4 mW), which would otherwise read as 1x.
      {"+RW 4x: the read power after the velocity is no speed",
       {54, 56, 14},
       616,
       kPlusRw,
       DiscRating{4, 4}},
      {"+RW 8x", {54, 112, 14}, 616, kPlusRw, DiscRating{8, 8}},
      {"the same bytes on a +R name 1x to 4x", {54, 56, 14}, 616, kPlusR, DiscRating{1, 4}},
      {"truncated before the velocities", {54, 56, 223}, 36, kPlusR, std::nullopt},
      {"truncated between primary and upper", {54, 56, 223}, 37, kPlusR, DiscRating{4, 4}},
      {"truncated in the extended block",
       {0, 0, 0, 0x01, {{1, 0, 223}}},
       4 + 64 + 3,
       kPlusR,
       std::nullopt},
      {"the length field ends before the velocities", {54, 56, 223}, 616, kPlusR, std::nullopt, 34},
      {"nothing sent", {54, 56, 223}, 0, kPlusR, std::nullopt},
  };
  for (const AdipCase& c : cases) {
    const auto rating = Decode(PhysicalFormatBytes(c.adip, c.declared), c.sent, c.kind);
    ASSERT_EQ(rating.has_value(), c.rating.has_value()) << c.name;
    if (!rating) continue;
    EXPECT_DOUBLE_EQ(rating->lowestX, c.rating->lowestX) << c.name;
    EXPECT_DOUBLE_EQ(rating->highestX, c.rating->highestX) << c.name;
  }
}

struct QueryCase {
  const char* name;
  sim::DiscType type;
  std::optional<uint8_t> primary, upper;
  std::vector<uint8_t> extended;
  std::vector<uint32_t> offeredKbps;
  std::optional<uint32_t> shortPhysicalFormat;  // the drive sends only this many bytes
  std::optional<double> ratedX;
  std::optional<std::string> verdict;
};

using media_test::QueryRun;

// The demonstration machine's DVD+R writer alone, with the disc of `c`.
QueryRun RunSpeedQuery(const QueryCase& c, bool speedTable) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(2);
  drive.disc->type = c.type;
  drive.disc->layers = c.type == sim::DiscType::DvdPlusRDl ? 2 : 1;
  drive.disc->plusPrimaryVelocity = c.primary;
  drive.disc->plusUpperVelocity = c.upper;
  drive.disc->plusExtendedVelocities = c.extended;
  drive.disc->writeSpeeds.clear();
  for (uint32_t kbps : c.offeredKbps) drive.disc->writeSpeeds.push_back({2295103, kbps, kbps, 0});
  drive.disc->selectedWriteKbps = static_cast<uint16_t>(c.offeredKbps.front());
  if (c.shortPhysicalFormat) {
    sim::Fault fault;
    fault.kind = sim::Fault::Kind::Short;
    fault.opcode = platform::mmc::kReadDiscStructure;
    fault.length = *c.shortPhysicalFormat;
    drive.faults.push_back(fault);
  }
  machine.drives = {drive};
  return media_test::RunQuery(std::move(machine), speedTable);
}

TEST(AdipRating, TheSpeedQueryReadsItFromItsOwnAnswerAndSetsItAgainstTheOffer) {
  const std::string x = "\xC3\x97";
  const std::string unknown =
      ": it may not know this media code; a firmware update or other discs may help";
  const QueryCase cases[] = {
      {"rated 16, offered 4: the warning",
       sim::DiscType::DvdPlusR,
       56,
       223,
       {},
       {5540, 2770},
       std::nullopt,
       16,
       "This drive offers at most 4" + x + " for a disc rated 16" + x + unknown},
      {"rated 8, offered 16: overspeed",
       sim::DiscType::DvdPlusR,
       34,
       112,
       {},
       {22160, 11080},
       std::nullopt,
       8,
       "This drive offers up to 16" + x + " for a disc rated 8" + x + ": it allows overspeed"},
      {"rated 16, offered 16: nothing to say",
       sim::DiscType::DvdPlusR,
       56,
       223,
       {},
       {22160, 11080},
       std::nullopt,
       16,
       std::nullopt},
      {"rated 16 in an extended block, offered 8",
       sim::DiscType::DvdPlusR,
       34,
       112,
       {223},
       {11080, 5540},
       std::nullopt,
       16,
       "This drive offers at most 8" + x + " for a disc rated 16" + x + unknown},
      {"+RW rated 8 offered 8",
       sim::DiscType::DvdPlusRw,
       112,
       14,
       {},
       {11080},
       std::nullopt,
       8,
       std::nullopt},
      {"+R DL rated 8, offered 2.4",
       sim::DiscType::DvdPlusRDl,
       37,
       123,
       {},
       {3324},
       std::nullopt,
       8,
       "This drive offers at most 2.4" + x + " for a disc rated 8" + x + unknown},
      {"rated unknown: silence",
       sim::DiscType::DvdPlusR,
       std::nullopt,
       std::nullopt,
       {},
       {5540},
       std::nullopt,
       std::nullopt,
       std::nullopt},
      {"truncated answer: silence",
       sim::DiscType::DvdPlusR,
       56,
       223,
       {},
       {5540},
       36u,
       std::nullopt,
       std::nullopt},
      {"a -R carries no rating here",
       sim::DiscType::DvdR,
       56,
       223,
       {},
       {5540},
       std::nullopt,
       std::nullopt,
       std::nullopt},
  };
  for (const QueryCase& c : cases) {
    const QueryRun run = RunSpeedQuery(c, true);
    ASSERT_EQ(run.report.discRating.has_value(), c.ratedX.has_value()) << c.name;
    if (c.ratedX) {
      EXPECT_DOUBLE_EQ(run.report.discRating->highestX, *c.ratedX) << c.name;
    }
    const std::optional<uint32_t> picked = run.report.hasSpeed && run.report.speedKbps != 0
                                               ? std::optional(run.report.speedKbps)
                                               : std::nullopt;
    const media::SpeedTable table =
        media::BuildSpeedTable(run.report.speedAnswers.value_or(media::SpeedAnswers{}),
                               run.report.discKind, picked, run.report.discRating);
    EXPECT_EQ(media::SpeedVerdict(table), c.verdict) << c.name;
    // The rating costs no command: the query has the answer from the disc classification.
    const QueryRun without = RunSpeedQuery(
        {c.name, c.type, {}, {}, {}, c.offeredKbps, c.shortPhysicalFormat, {}, {}}, true);
    EXPECT_EQ(run.log.size(), without.log.size()) << c.name;
    EXPECT_EQ(RunSpeedQuery(c, false).report.lines, run.report.lines) << c.name;
  }
}

}  // namespace
