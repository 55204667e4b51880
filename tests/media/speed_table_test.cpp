// The write-speed table: both answers decoded from their bytes, merged, flagged and set
// against the disc's rating.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/response_view.h"
#include "media/disc_rating.h"
#include "media/speed_answers.h"
#include "media/speed_table.h"
#include "media/speed_table_output.h"
#include "media/speed_verdict.h"

namespace {

using media::DiscKind;
using media::OfferedSpeed;
using media::Rotation;
using media::SpeedSource;

constexpr Rotation kClv = Rotation::Clv;
constexpr Rotation kCav = Rotation::Cav;
constexpr SpeedSource kPerf = SpeedSource::Performance;
constexpr SpeedSource kPage = SpeedSource::ModePage;

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Put16(b, at, v >> 16);
  Put16(b, at + 2, v & 0xFFFF);
}

// A GET PERFORMANCE answer as a drive sends it: `listed` descriptors in the length field,
// the speeds given after the 8-byte header.
std::vector<uint8_t> PerformanceBytes(const std::vector<std::pair<uint32_t, uint8_t>>& speeds,
                                      size_t listed) {
  std::vector<uint8_t> b(8 + 16 * speeds.size(), 0);
  Put32(b, 0, static_cast<uint32_t>(4 + 16 * listed));
  for (size_t i = 0; i < speeds.size(); ++i) {
    b[8 + 16 * i] = static_cast<uint8_t>(speeds[i].second << 3 | 0x02);  // Exact set too
    Put32(b, 8 + 16 * i + 4, 2295103);
    Put32(b, 8 + 16 * i + 8, 16620);
    Put32(b, 8 + 16 * i + 12, speeds[i].first);
  }
  return b;
}

// A MODE SENSE(10) answer of page 2Ah with `count` in its descriptor count field and the
// page length byte saying `inPage` descriptors follow.
std::vector<uint8_t> PageBytes(const std::vector<std::pair<uint16_t, uint8_t>>& speeds,
                               size_t count, size_t inPage) {
  std::vector<uint8_t> b(8 + 32 + 4 * speeds.size(), 0);
  b[8] = 0x2A;
  b[9] = static_cast<uint8_t>(30 + 4 * inPage);
  Put16(b, 8 + 30, static_cast<uint32_t>(count));
  for (size_t i = 0; i < speeds.size(); ++i) {
    b[8 + 32 + 4 * i + 1] = speeds[i].second;
    Put16(b, 8 + 32 + 4 * i + 2, speeds[i].first);
  }
  return b;
}

std::vector<uint32_t> Kbps(const media::SpeedList& list) {
  std::vector<uint32_t> out;
  for (const OfferedSpeed& s : list.speeds) out.push_back(s.kbps);
  return out;
}

struct DecodeCase {
  const char* name;
  std::vector<uint8_t> bytes;
  uint32_t transferred;
  bool page;
  std::vector<uint32_t> kbps;
  bool cut;
};

TEST(SpeedAnswers, DecodesEveryWholeDescriptorThatArrivedAndNoMore) {
  const auto perf = PerformanceBytes({{22160, 0}, {11080, 1}, {5540, 0}}, 3);
  const auto page = PageBytes({{7056, 0}, {4234, 0}, {2822, 0}}, 3, 3);
  const DecodeCase cases[] = {
      {"performance, whole",
       perf,
       static_cast<uint32_t>(perf.size()),
       false,
       {22160, 11080, 5540},
       false},
      {"performance, the length field claims five",
       PerformanceBytes({{22160, 0}, {11080, 0}}, 5),
       40,
       false,
       {22160, 11080},
       true},
      {"performance, the last descriptor cut short",
       perf,
       8 + 16 * 2 + 10,
       false,
       {22160, 11080},
       true},
      {"performance, a header only", PerformanceBytes({}, 0), 8, false, {}, false},
      {"performance, a length field below the header",
       {0, 0, 0, 1, 0, 0, 0, 0},
       8,
       false,
       {},
       false},
      {"page, whole", page, static_cast<uint32_t>(page.size()), true, {7056, 4234, 2822}, false},
      {"page, the count overruns the page",
       PageBytes({{7056, 0}, {4234, 0}}, 9, 2),
       8 + 32 + 8,
       true,
       {7056, 4234},
       true},
      {"page, the count overruns what arrived", page, 8 + 32 + 4, true, {7056}, true},
      {"page, no descriptor", PageBytes({}, 0, 0), 40, true, {}, false},
  };
  for (const DecodeCase& c : cases) {
    const device::ResponseView view(c.bytes);
    const media::SpeedList list = c.page ? media::DecodeModePageSpeeds(view, c.transferred)
                                         : media::DecodePerformanceSpeeds(view, c.transferred);
    EXPECT_TRUE(list.answered) << c.name;
    EXPECT_EQ(Kbps(list), c.kbps) << c.name;
    EXPECT_EQ(list.cut, c.cut) << c.name;
  }
}

TEST(SpeedAnswers, ReadsTheRotationOfBothSources) {
  const auto perf = PerformanceBytes({{22160, 1}, {11080, 0}}, 2);
  const auto perfList = media::DecodePerformanceSpeeds(device::ResponseView(perf),
                                                       static_cast<uint32_t>(perf.size()));
  ASSERT_EQ(perfList.speeds.size(), 2u);
  EXPECT_EQ(perfList.speeds[0].rotation, kCav);
  EXPECT_EQ(perfList.speeds[1].rotation, kClv);
  EXPECT_EQ(perfList.speeds[0].source, kPerf);
  const auto page = PageBytes({{7056, 1}}, 1, 1);
  const auto pageList =
      media::DecodeModePageSpeeds(device::ResponseView(page), static_cast<uint32_t>(page.size()));
  ASSERT_EQ(pageList.speeds.size(), 1u);
  EXPECT_EQ(pageList.speeds[0].rotation, kCav);
  EXPECT_EQ(pageList.speeds[0].source, kPage);
}

media::SpeedList List(std::vector<OfferedSpeed> speeds, bool answered = true) {
  media::SpeedList list;
  list.answered = answered;
  list.speeds = std::move(speeds);
  return list;
}

struct Row {
  uint32_t kbps;
  double x;
  Rotation rotation;
  SpeedSource source;
  bool picked;
  uint32_t flags;
};

struct TableCase {
  const char* name;
  DiscKind kind;
  std::vector<OfferedSpeed> performance;
  std::vector<OfferedSpeed> page;
  std::optional<uint32_t> picked;
  std::optional<media::DiscRating> rating;
  std::vector<Row> rows;
  uint32_t tableFlags;
};

TEST(SpeedTable, MergesFlagsAndMarksOnePerDiscTypeAndQuirk) {
  using namespace media;
  const TableCase cases[] = {
      {"CD-R: both sources, duplicates merged, fastest first",
       DiscKind::CdR,
       {{4234, kClv, kPerf}, {7056, kClv, kPerf}, {7056, kClv, kPerf}},
       {{7056, kClv, kPage}, {8467, kClv, kPage}},
       7056,
       DiscRating{2, 48},
       {{8467, 48, kClv, kPage, false, 0},
        {7056, 40, kClv, kPerf, true, 0},
        {4234, 24, kClv, kPerf, false, 0}},
       0},
      {"DVD+R: CLV and CAV at the same speed stay two rows",
       DiscKind::DvdPlusR,
       {{22160, kClv, kPerf}, {22160, kCav, kPerf}},
       {},
       22160,
       std::nullopt,
       {{22160, 16, kClv, kPerf, true, 0}, {22160, 16, kCav, kPerf, true, 0}},
       0},
      {"DVD-R: speeds in units of 1352 kB/s",
       DiscKind::DvdMinusR,
       {{21632, kClv, kPerf}, {10816, kClv, kPerf}},
       {},
       21632,
       std::nullopt,
       {{21632, 16, kClv, kPerf, true, kSpeedUnits1352},
        {10816, 8, kClv, kPerf, false, kSpeedUnits1352}},
       kTableUnits1352},
      {"DVD+R: 2.4x in 1385 units is not taken for 1352 units",
       DiscKind::DvdPlusR,
       {{3324, kClv, kPerf}, {5540, kClv, kPerf}},
       {},
       std::nullopt,
       std::nullopt,
       {{5540, 4, kClv, kPerf, false, 0}, {3324, 2.4, kClv, kPerf, false, 0}},
       0},
      {"DVD+R: CD speeds in the DVD's list",
       DiscKind::DvdPlusR,
       {{11080, kClv, kPerf}, {706, kClv, kPerf}},
       {},
       11080,
       std::nullopt,
       {{11080, 8, kClv, kPerf, true, 0}, {706, 706 / 1385.0, kClv, kPerf, false, kSpeedCdForDvd}},
       kTableCdForDvd},
      {"DVD-R: zero speeds, the page gives the real ones",
       DiscKind::DvdMinusR,
       {{0, kClv, kPerf}},
       {{11080, kClv, kPage}},
       11080,
       std::nullopt,
       {{11080, 8, kClv, kPage, true, 0}, {0, 0, kClv, kPerf, false, kSpeedZero}},
       kTableZeroSpeeds | kTableSingleDescriptor},
      {"DVD-R: a single descriptor in both sources",
       DiscKind::DvdMinusR,
       {{16620, kClv, kPerf}},
       {{16620, kClv, kPage}},
       16620,
       std::nullopt,
       {{16620, 12, kClv, kPerf, true, 0}},
       kTableSingleDescriptor},
      {"CD-R: a speed above the disc's rating",
       DiscKind::CdR,
       {{9173, kClv, kPerf}, {8467, kClv, kPerf}},
       {},
       9173,
       DiscRating{0, 48},
       {{9173, 52, kClv, kPerf, true, kSpeedAboveRating}, {8467, 48, kClv, kPerf, false, 0}},
       kTableAboveRating},
      {"BD-R: multiples of 4495.5 kB/s, no picked speed",
       DiscKind::BdR,
       {{35968, kClv, kPerf}, {17984, kClv, kPerf}},
       {},
       std::nullopt,
       std::nullopt,
       {{35968, 8, kClv, kPerf, false, 0}, {17984, 4, kClv, kPerf, false, 0}},
       0},
      {"BD-R: a speed no BD is written at",
       DiscKind::BdR,
       {{359680, kClv, kPerf}, {35968, kClv, kPerf}},
       {},
       std::nullopt,
       std::nullopt,
       {{359680, 80, kClv, kPerf, false, kSpeedExcessive}, {35968, 8, kClv, kPerf, false, 0}},
       kTableExcessive},
      {"CD-RW: the picked speed is in neither list",
       DiscKind::CdRwHighSpeed,
       {{1764, kClv, kPerf}, {706, kClv, kPerf}},
       {},
       1411,
       std::nullopt,
       {{1764, 10, kClv, kPerf, false, 0}, {706, 706 / 176.4, kClv, kPerf, false, 0}},
       kTablePickedNotListed},
  };
  for (const TableCase& c : cases) {
    const SpeedAnswers answers{List(c.performance), List(c.page)};
    const SpeedTable table = BuildSpeedTable(answers, c.kind, c.picked, c.rating);
    EXPECT_EQ(table.flags, c.tableFlags) << c.name;
    ASSERT_EQ(table.rows.size(), c.rows.size()) << c.name;
    for (size_t i = 0; i < c.rows.size(); ++i) {
      const SpeedRow& got = table.rows[i];
      const Row& want = c.rows[i];
      EXPECT_EQ(got.kbps, want.kbps) << c.name << " row " << i;
      EXPECT_NEAR(got.x, want.x, 0.01) << c.name << " row " << i;
      EXPECT_EQ(got.rotation, want.rotation) << c.name << " row " << i;
      EXPECT_EQ(got.source, want.source) << c.name << " row " << i;
      EXPECT_EQ(got.picked, want.picked) << c.name << " row " << i;
      EXPECT_EQ(got.flags, want.flags) << c.name << " row " << i;
    }
  }
}

TEST(SpeedTable, SaysWhichSourceDidNotAnswerOrWasCut) {
  using namespace media;
  SpeedAnswers answers{List({}, false), List({{7056, kClv, kPage}})};
  answers.modePage.cut = true;
  const SpeedTable table = BuildSpeedTable(answers, DiscKind::CdR, std::nullopt, std::nullopt);
  EXPECT_EQ(table.flags, kTableNoPerformance | kTableCut | kTableSingleDescriptor);
  const SpeedTable none =
      BuildSpeedTable(SpeedAnswers{}, DiscKind::CdR, std::nullopt, std::nullopt);
  EXPECT_EQ(none.flags, kTableNoPerformance | kTableNoModePage);
  EXPECT_TRUE(none.rows.empty());
  // A picked speed of 0 is no picked speed.
  EXPECT_FALSE(BuildSpeedTable(answers, DiscKind::CdR, 0u, std::nullopt).pickedKbps);
}

TEST(DiscRating, AtipA1CodesAsLowestAndHighestSpeed) {
  struct Case {
    bool valid;
    uint8_t low, high;
    std::optional<double> lowest, highest;
  };
  const Case cases[] = {
      {true, 2, 6, 4, 16},                         // a high-speed CD-RW: 4x to 16x
      {true, 1, 11, 2, 48},                        // 2x to 48x
      {true, 0, 9, 0, 32},                         // no lowest speed
      {true, 7, 4, 0, 10},                         // a lowest code that names no speed
      {true, 10, 4, 0, 10},                        // a lowest above the highest is no lowest
      {false, 1, 11, std::nullopt, std::nullopt},  // A1 not valid: no rating
      {true, 1, 0, std::nullopt, std::nullopt},    // no highest speed: no rating
      {true, 1, 5, std::nullopt, std::nullopt},    // code 5 names no speed
      {true, 1, 15, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto rating = media::RatingOfAtipA1(c.valid, c.low, c.high);
    ASSERT_EQ(rating.has_value(), c.highest.has_value()) << int{c.low} << "/" << int{c.high};
    if (!rating) continue;
    EXPECT_EQ(rating->highestX, *c.highest);
    EXPECT_EQ(rating->lowestX, *c.lowest);
  }
}

struct VerdictCase {
  const char* name;
  DiscKind kind;
  std::vector<OfferedSpeed> offered;
  std::optional<media::DiscRating> rating;
  std::optional<std::string> verdict;
};

TEST(SpeedVerdict, OnlyWhenTheOfferIsWellBelowOrAboveAKnownRating) {
  const std::string x = "\xC3\x97";
  const VerdictCase cases[] = {
      {"16x disc, the drive offers 8x",
       DiscKind::CdRwHighSpeed,
       {{1411, kClv, kPerf}, {706, kClv, kPerf}},
       media::DiscRating{4, 16},
       "This drive offers at most 8" + x + " for a disc rated 16" + x +
           ": it may not know this media code; a firmware update or other discs may help"},
      {"48x disc, the drive offers 32x",
       DiscKind::CdR,
       {{5645, kClv, kPerf}},
       media::DiscRating{0, 48},
       "This drive offers at most 32" + x + " for a disc rated 48" + x +
           ": it may not know this media code; a firmware update or other discs may help"},
      {"16x disc, the drive offers 12x: near enough",
       DiscKind::CdRwHighSpeed,
       {{2117, kClv, kPerf}},
       media::DiscRating{4, 16},
       std::nullopt},
      {"48x disc, the drive offers 40x",
       DiscKind::CdR,
       {{7056, kClv, kPerf}},
       media::DiscRating{0, 48},
       std::nullopt},
      {"48x disc, the drive offers 52x: overspeed",
       DiscKind::CdR,
       {{9173, kClv, kPerf}},
       media::DiscRating{0, 48},
       "This drive offers up to 52" + x + " for a disc rated 48" + x + ": it allows overspeed"},
      {"48x disc, the drive offers 48.75x: rounding, not overspeed",
       DiscKind::CdR,
       {{8600, kClv, kPerf}},
       media::DiscRating{0, 48},
       std::nullopt},
      {"16x DVD+R, the drive offers 4x",
       DiscKind::DvdPlusR,
       {{5540, kClv, kPerf}, {2770, kClv, kPerf}},
       media::DiscRating{4, 16},
       "This drive offers at most 4" + x + " for a disc rated 16" + x +
           ": it may not know this media code; a firmware update or other discs may help"},
      {"8x DVD+R, the drive offers 16x",
       DiscKind::DvdPlusR,
       {{22160, kClv, kPerf}},
       media::DiscRating{2.4, 8},
       "This drive offers up to 16" + x + " for a disc rated 8" + x + ": it allows overspeed"},
      {"an untrusted row above the rating is no overspeed",
       DiscKind::DvdPlusR,
       {{99999, kClv, kPerf}, {11080, kClv, kPerf}},
       media::DiscRating{2.4, 8},
       std::nullopt},
      {"no rating: no verdict",
       DiscKind::DvdPlusR,
       {{2770, kClv, kPerf}},
       std::nullopt,
       std::nullopt},
      {"only a zero speed: nothing to compare",
       DiscKind::CdR,
       {{0, kClv, kPerf}},
       media::DiscRating{0, 48},
       std::nullopt},
      {"a CD speed in a DVD list is not the drive's offer",
       DiscKind::DvdPlusR,
       {{706, kClv, kPerf}},
       media::DiscRating{0, 16},
       std::nullopt},
  };
  for (const VerdictCase& c : cases) {
    const media::SpeedAnswers answers{List(c.offered), List({})};
    const auto table = media::BuildSpeedTable(answers, c.kind, std::nullopt, c.rating);
    EXPECT_EQ(media::SpeedVerdict(table), c.verdict) << c.name;
  }
}

TEST(SpeedVerdict, MultiplesWholeOrWithOneDecimal) {
  EXPECT_EQ(media::MultipleText(16), "16\xC3\x97");
  EXPECT_EQ(media::MultipleText(15.97), "16\xC3\x97");
  EXPECT_EQ(media::MultipleText(2.4), "2.4\xC3\x97");
  EXPECT_EQ(media::MultipleText(0.5), "0.5\xC3\x97");
}

TEST(SpeedTableOutput, JsonCarriesEveryFieldOfEveryRow) {
  using namespace media;
  const SpeedAnswers answers{List({{21632, kCav, kPerf}, {0, kClv, kPerf}}),
                             List({{21632, kCav, kPage}})};
  const SpeedTable table = BuildSpeedTable(answers, DiscKind::DvdMinusR, 21632u, std::nullopt);
  const auto json = SpeedTableJson(DiscKind::DvdMinusR, table, std::nullopt);
  ASSERT_EQ(json["speeds"].size(), 2u);
  const auto& first = json["speeds"][0];
  EXPECT_EQ(first["kbps"], 21632);
  EXPECT_EQ(first["x"], 16.0);
  EXPECT_EQ(first["rotation"], "cav");
  EXPECT_EQ(first["source"], "performance");
  EXPECT_EQ(first["sources"], nlohmann::json::array({"performance", "mode_page"}));
  EXPECT_EQ(first["picked"], true);
  EXPECT_EQ(first["flags"], nlohmann::json::array({"units_1352"}));
  EXPECT_EQ(json["speeds"][1]["flags"], nlohmann::json::array({"zero"}));
  EXPECT_EQ(json["speeds"][1]["picked"], false);
  EXPECT_EQ(json["flags"],
            nlohmann::json::array({"zero_speeds", "single_descriptor", "units_1352"}));
  EXPECT_TRUE(json["verdict"].is_null());
  EXPECT_TRUE(json["rated"].is_null());
  EXPECT_EQ(json["picked_kbps"], 21632);
  EXPECT_EQ(json["family"], "dvd");
}

TEST(SpeedTableOutput, TextKeepsItsColumnsWithTheTwoByteSign) {
  using namespace media;
  const SpeedAnswers answers{List({{22160, kClv, kPerf}, {2770, kCav, kPerf}}), List({})};
  const SpeedTable table = BuildSpeedTable(answers, DiscKind::DvdPlusR, 22160u, std::nullopt);
  const auto lines = SpeedTableLines(DiscKind::DvdPlusR, table, std::string("Verdict."));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Disc: DVD+R, no rated speed");
  EXPECT_EQ(lines[2], "   16.0\xC3\x97    22160  CLV       performance              picked");
  EXPECT_EQ(lines[3], "    2.0\xC3\x97     2770  CAV       performance");
  EXPECT_EQ(lines[4], "Verdict.");
}

}  // namespace
