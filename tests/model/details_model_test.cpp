// The details view's description: what the status and speeds reading gives on each kind of
// disc, as texts and as the plot both windows draw.
#include "app/model/details_model.h"

#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "app/model/disc_details.h"
#include "app/model/speed_plot.h"
#include "support/media_rig.h"

namespace {

using app::model::DescribeDetails;
using app::model::DetailsDescription;
using app::model::PlotMark;
using app::model::ReadDiscDetails;

// speeds.json with its single-speed drive (4) listing no speed in either list.
std::string NoSpeedsMachine() {
  std::ifstream in(media_test::FixturePath("speeds.json"));
  nlohmann::json machine = nlohmann::json::parse(in);
  machine["drives"][4]["disc"]["write_speeds"] = nlohmann::json::array();
  machine["drives"][4]["disc"]["page_write_speeds"] = nlohmann::json::array();
  return machine.dump();
}

DetailsDescription Read(const std::string& fixture, int drive) {
  media_test::Rig rig = fixture == "no speeds" ? media_test::Rig::FromMachineText(NoSpeedsMachine())
                                               : media_test::Rig::FromFixture(fixture);
  rig.Select(drive);
  return DescribeDetails(ReadDiscDetails(*rig.device));
}

// A mark as the tests name it: "16×", then "*" when picked and "?" when not trusted.
std::vector<std::string> Marks(const DetailsDescription& d) {
  std::vector<std::string> marks;
  for (const PlotMark& m : d.plot.marks)
    marks.push_back(m.label + (m.picked ? "*" : "") + (m.trusted ? "" : "?"));
  return marks;
}

std::vector<std::string> Ticks(const DetailsDescription& d) {
  std::vector<std::string> ticks;
  for (const auto& t : d.plot.ticks) ticks.push_back(t.label);
  return ticks;
}

TEST(DetailsModel, DescribesEveryKindOfDiscAsStatusAndSpeedsShowIt) {
  struct Case {
    const char* name;
    const char* fixture;
    int drive;
    std::vector<std::string> status;
    size_t speedLines;  // the table's lines: disc, header and rows, the notes
    std::string verdict;
    std::vector<std::string> marks;  // slowest first
    std::vector<std::string> ticks;
    std::string rated;  // empty: no rated line
    double ratedY;
  };
  const std::string x = "\xC3\x97";
  const Case cases[] = {
      {"appendable CD-R",
       "demo.json",
       1,
       {"Appendable: 2 sessions, 245 MB free"},
       6,
       "",
       {"16" + x, "24" + x, "40" + x + "*", "48" + x},
       {"0" + x, "10" + x, "20" + x, "30" + x, "40" + x, "50" + x},
       "rated 48" + x,
       0.96},
      {"blank DVD+R",
       "demo.json",
       2,
       {"Blank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)"},
       5,
       "This drive offers up to 16" + x + " for a disc rated 8" + x + ": it allows overspeed",
       {"8" + x, "16" + x + "*?"},
       {"0" + x, "4" + x, "8" + x, "12" + x, "16" + x},
       "rated 8" + x,
       0.5},
      {"finished DVD-R",
       "demo.json",
       3,
       {"Finished (closed): nothing more can be written",
        "Holds 3 774 MB (3.51 GiB, 1 843 200 blocks)"},
       4,
       "",
       {"12" + x + "*"},
       {"0" + x, "2" + x, "4" + x, "6" + x, "8" + x, "10" + x, "12" + x},
       "",
       0},
      {"zero speeds",
       "speeds.json",
       1,
       {"Blank, 4 707 MB free (4.38 GiB, 2 298 496 blocks)"},
       6,
       "",
       {"0" + x + "?", "4" + x, "8" + x},
       {"0" + x, "2" + x, "4" + x, "6" + x, "8" + x},
       "",
       0},
      {"CD-RW rated above the drive's offer",
       "speeds.json",
       3,
       {"Blank, 736 MB free (0.68 GiB, 359 849 blocks)", "Rewritable, can be erased"},
       4,
       "This drive offers at most 8" + x + " for a disc rated 16" + x +
           ": it may not know this media code; a firmware update or other discs may help",
       {"4" + x, "8" + x + "*"},
       {"0" + x, "4" + x, "8" + x, "12" + x, "16" + x},
       "rated 16" + x,
       1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DetailsDescription d = Read(c.fixture, c.drive);
    EXPECT_FALSE(d.reading);
    EXPECT_EQ(d.statusLines, c.status);
    EXPECT_EQ(d.speedLines.size(), c.speedLines);
    EXPECT_EQ(d.verdict, c.verdict);
    for (const std::string& line : d.speedLines) {
      EXPECT_NE(line, c.verdict) << "the verdict is also a line of the table";
    }
    EXPECT_EQ(Marks(d), c.marks);
    EXPECT_EQ(Ticks(d), c.ticks);
    EXPECT_EQ(d.plot.ratedLabel, c.rated);
    EXPECT_EQ(d.plot.ratedY.has_value(), !c.rated.empty());
    if (d.plot.ratedY) {
      EXPECT_DOUBLE_EQ(*d.plot.ratedY, c.ratedY);
    }
    EXPECT_TRUE(d.plot.emptyText.empty());
    // Marks rise from the left in equal steps, inside the plot, at their speed's height.
    for (size_t i = 0; i < d.plot.marks.size(); ++i) {
      const PlotMark& m = d.plot.marks[i];
      EXPECT_DOUBLE_EQ(m.x, (i + 0.5) / d.plot.marks.size());
      EXPECT_GE(m.y, 0.0);
      EXPECT_LE(m.y, 1.0);
      if (i > 0) {
        EXPECT_GE(m.y, d.plot.marks[i - 1].y);
      }
    }
  }
}

TEST(DetailsModel, NoDiscAndNoSpeedsDrawNothing) {
  struct Case {
    const char* name;
    const char* fixture;
    int drive;
    std::vector<std::string> status;
    std::string firstSpeedLine;
  };
  const Case cases[] = {
      {"no disc", "demo.json", 5, {"No disc in the drive"}, app::model::kDetailsNoDiscSpeeds},
      {"no speeds",
       "no speeds",
       4,
       {"Blank, 4 707 MB free (4.38 GiB, 2 298 496 blocks)"},
       "Disc: DVD-R, no rated speed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DetailsDescription d = Read(c.fixture, c.drive);
    EXPECT_EQ(d.statusLines, c.status);
    ASSERT_FALSE(d.speedLines.empty());
    EXPECT_EQ(d.speedLines[0], c.firstSpeedLine);
    EXPECT_TRUE(d.plot.marks.empty());
    EXPECT_TRUE(d.plot.ticks.empty());
    EXPECT_FALSE(d.plot.ratedY);
    EXPECT_EQ(d.plot.emptyText, app::model::kPlotEmptyText);
    EXPECT_EQ(d.verdict, "");
  }
}

TEST(DetailsModel, TheAxisRisesInAtMostSixEvenSteps) {
  struct Case {
    double highest;
    double step;
  };
  const Case cases[] = {{0, 0.5},  {2.4, 0.5}, {3, 0.5},  {3.1, 1},   {12, 2},
                        {12.1, 4}, {16, 4},    {24, 4},   {48, 10},   {52, 10},
                        {61, 20},  {120, 20},  {150, 25}, {372, 100}, {1e7, 1666667}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(app::model::TickStep(c.highest), c.step) << c.highest;
  }
}

TEST(DetailsModel, TheSavedBlockFollowsTheReportWithEveryShownText) {
  const DetailsDescription d = Read("speeds.json", 3);
  std::vector<std::string> expected{"", "Disc details"};
  expected.insert(expected.end(), d.statusLines.begin(), d.statusLines.end());
  expected.insert(expected.end(), d.speedLines.begin(), d.speedLines.end());
  expected.push_back(d.verdict);
  EXPECT_EQ(app::model::DetailsExportLines(d), expected);
  // Without a verdict the block ends with the table.
  const DetailsDescription finished = Read("demo.json", 3);
  ASSERT_TRUE(finished.verdict.empty());
  EXPECT_EQ(app::model::DetailsExportLines(finished).back(), finished.speedLines.back());
}

}  // namespace
