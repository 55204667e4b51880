// The watch over simulated machines whose timelines play on the virtual clock: which events it
// tells, which queries it runs and which commands reach the drives.
#include "live/drive_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "live/watch_rig.h"

namespace {

using live_test::WatchRig;
using Names = std::vector<std::string>;

// A writer on a Linux-like machine; `extra` adds drive fields, `timeline` the machine's
// timeline, `platform` its platform fields.
std::string Machine(const std::string& extra, const std::string& timeline,
                    const std::string& platform = "{}") {
  return R"({"platform": )" + platform + R"(, "drives": [{"root": "sr0", "vendor": "VEXO",
    "product": "DVD-RW LS-1640L", "reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"],
    "writes": ["cd-r", "cd-rw", "dvd-r"], "profiles": ["0x0008", "0x0009", "0x0010", "0x0011"])" +
         extra + R"(}], "timeline": [)" + timeline + "]}";
}

constexpr const char* kCdR = R"({"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"})";
const std::string kWithDisc = std::string(R"(, "disc": )") + kCdR;

std::string Insert(int atMs, int readyAfterMs) {
  return R"({"at_ms": )" + std::to_string(atMs) +
         R"(, "drive": 0, "event": "disc_inserted", "ready_after_ms": )" +
         std::to_string(readyAfterMs) + R"(, "disc": )" + kCdR + "}";
}

std::string At(int atMs, const std::string& event, const std::string& more = "") {
  return R"({"at_ms": )" + std::to_string(atMs) + R"(, "drive": 0, "event": ")" + event + "\"" +
         more + "}";
}

TEST(DriveWatcher, TellsEachTimelineInOrder) {
  struct Case {
    const char* name;
    std::string extra;
    std::string timeline;
    uint64_t untilMs;
    Names events;
    int queries;
  };
  const Case cases[] = {
      {"tray opened, disc put in, ready after 1.5 s",
       "",
       At(1000, "tray_open") + "," + Insert(3000, 1500),
       10000,
       {"drive_added", "tray_open", "tray_closed", "disc_inserted", "ready"},
       1},
      {"the disc there at the start is ejected",
       kWithDisc,
       At(1000, "tray_open"),
       5000,
       {"drive_added", "ejected", "tray_open"},
       0},
      {"ejected and put back",
       kWithDisc,
       At(1000, "tray_open") + "," + At(1500, "disc_removed") + "," + Insert(4000, 0),
       8000,
       {"drive_added", "ejected", "tray_open", "tray_closed", "disc_inserted", "ready"},
       1},
      {"a disc that never becomes ready is never queried",
       "",
       R"({"at_ms": 1000, "drive": 0, "event": "disc_inserted", "ready_after_ms": "never",
           "disc": )" +
           std::string(kCdR) + "}",
       600000,
       {"drive_added", "disc_inserted"},
       0},
      {"another program writes: busy, then ready and queried once done",
       kWithDisc,
       At(1000, "busy", R"(, "for_ms": 20000)"),
       40000,
       {"drive_added", "busy", "ready"},
       1},
      {"a notice with nothing changed tells nothing",
       kWithDisc,
       At(1000, "media_change"),
       5000,
       {"drive_added"},
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WatchRig rig(Machine(c.extra, c.timeline));
    rig.RunUntil(c.untilMs);
    EXPECT_EQ(rig.Events(), c.events);
    EXPECT_EQ(rig.queries, c.queries);
  }
}

TEST(DriveWatcher, ReadyDiscComesWithItsReportOnceReady) {
  WatchRig rig(Machine("", Insert(2000, 1500)));
  rig.RunUntil(10000);
  ASSERT_EQ(rig.lines.size(), 3u);
  EXPECT_EQ(rig.lines[0], "0.000 sr0 drive_added No disc");
  EXPECT_EQ(rig.lines[1].substr(rig.lines[1].find(' ')), " sr0 disc_inserted Loading\xE2\x80\xA6");
  EXPECT_NE(rig.lines[2].find(" sr0 ready Ready +report CDR"), std::string::npos) << rig.lines[2];
  // Ready only once the drive is: 1.5 s after the disc went in, within the next loading poll.
  const double readyAt = std::stod(rig.lines[2]);
  EXPECT_GE(readyAt, 3.5);
  EXPECT_LE(readyAt, 4.6);
}

TEST(DriveWatcher, NoCommandReachesAnIdleDriveTheSystemWatches) {
  WatchRig rig(Machine(kWithDisc, ""));
  rig.RunUntil(1);
  const size_t atStart = rig.CommandsTo(0);
  EXPECT_GT(atStart, 0u);  // the list and one question at the start
  rig.RunOn(10 * 60 * 1000);
  EXPECT_EQ(rig.CommandsTo(0), atStart);
}

TEST(DriveWatcher, DriveTheSystemDoesNotWatchIsAskedEveryTwoSeconds) {
  for (const auto& [extra, platform] :
       {std::pair<std::string, std::string>{kWithDisc + R"(, "system_watches": false)", "{}"},
        {kWithDisc, R"({"drive_events": false})"}}) {
    SCOPED_TRACE(extra + platform);
    WatchRig rig(Machine(extra, "", platform));
    rig.RunUntil(1);
    const uint64_t from = rig.NowMs() + 1;
    rig.RunOn(from + 60000);
    // One TEST UNIT READY per 2 seconds and nothing else.
    EXPECT_EQ(rig.CommandsTo(0, from, from + 60000), 30u);
    EXPECT_EQ(rig.QuestionsTo(0, from, UINT64_MAX), 0u);
    EXPECT_EQ(rig.Events(), Names{"drive_added"});
  }
}

TEST(DriveWatcher, UnwatchedDriveStillSeesTheDiscGoInAndComeOut) {
  WatchRig rig(
      Machine(R"(, "system_watches": false)", Insert(3000, 0) + "," + At(9000, "tray_open")));
  rig.RunUntil(20000);
  EXPECT_EQ(rig.Events(), (Names{"drive_added", "disc_inserted", "ready", "ejected", "tray_open"}));
  EXPECT_EQ(rig.queries, 1);
}

TEST(DriveWatcher, StormOfNoticesIsAskedAboutOnce) {
  WatchRig rig(Machine(kWithDisc, At(1000, "media_change", R"(, "repeat": 100, "every_ms": 10)")));
  rig.RunUntil(999);
  const size_t before = rig.CommandsTo(0);
  rig.RunOn(5000);
  EXPECT_EQ(rig.CommandsTo(0) - before, 1u);
  EXPECT_EQ(rig.queries, 0);
}

TEST(DriveWatcher, LongStormAsksAtMostEveryTwoSeconds) {
  // 100 notices a second for a minute.
  WatchRig rig(Machine(kWithDisc, At(1000, "media_change", R"(, "repeat": 6000, "every_ms": 10)")));
  rig.RunUntil(999);
  const size_t before = rig.CommandsTo(0);
  rig.RunOn(62000);
  EXPECT_LE(rig.CommandsTo(0) - before, 31u);
  EXPECT_GE(rig.CommandsTo(0) - before, 29u);
}

TEST(DriveWatcher, DriveTogglingEndlesslyIsNotQueriedOverAndOver) {
  // The disc goes out and comes back every second for two minutes.
  WatchRig rig(
      Machine(kWithDisc, At(1000, "disc_removed", R"(, "repeat": 120, "every_ms": 1000)") + "," +
                             Insert(1500, 0).insert(1, R"("repeat": 120, "every_ms": 1000, )")));
  rig.RunUntil(122000);
  // At most one query per 10 seconds.
  EXPECT_GE(rig.queries, 1);
  EXPECT_LE(rig.queries, 13);
}

TEST(DriveWatcher, InsertDuringAQueryGetsOneFollowUp) {
  // Every command takes 100 ms, so the query of the first disc lasts seconds; the disc is
  // swapped during it.
  WatchRig rig(Machine(R"(, "latency_us": 100000)", Insert(1000, 0) + "," + At(2500, "tray_open") +
                                                        "," + At(2600, "disc_removed") + "," +
                                                        Insert(2700, 0)));
  rig.RunUntil(40000);
  EXPECT_EQ(rig.queries, 2);
  const Names events = rig.Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), "ready"), 2);
  EXPECT_EQ(events.back(), "ready");
  EXPECT_NE(rig.lines.back().find("+report CDR"), std::string::npos);
}

TEST(DriveWatcher, DriveUnpluggedDuringAQuery) {
  WatchRig rig(
      Machine(R"(, "latency_us": 100000)", Insert(1000, 0) + "," + At(2000, "drive_removed")));
  rig.RunUntil(10000);
  const Names events = rig.Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "drive_removed");
  // The query that could not finish is not shown as a report.
  for (const std::string& line : rig.lines) EXPECT_EQ(line.find("+report"), std::string::npos);
  const size_t afterRemoval = rig.CommandsTo(0, 3000);
  rig.RunOn(60000);
  EXPECT_EQ(rig.CommandsTo(0, 3000), afterRemoval);
}

TEST(DriveWatcher, DrivePluggedInAndPulledOut) {
  WatchRig rig(Machine(kWithDisc + R"(, "plugged": false)",
                       At(1000, "drive_added") + "," + At(8000, "drive_removed")));
  rig.RunUntil(12000);
  EXPECT_EQ(rig.Events(), (Names{"drive_added", "ready", "drive_removed"}));
  EXPECT_EQ(rig.queries, 1);
  EXPECT_NE(rig.lines[1].find("+report CDR"), std::string::npos);
  EXPECT_NE(rig.lines[2].find("Not answering"), std::string::npos);
}

TEST(DriveWatcher, HotPlugIsFoundWithoutNoticesToo) {
  WatchRig rig(Machine(kWithDisc + R"(, "plugged": false)",
                       At(1000, "drive_added") + "," + At(8000, "drive_removed"),
                       R"({"drive_events": false})"));
  rig.RunUntil(14000);
  EXPECT_EQ(rig.Events(), (Names{"drive_added", "ready", "drive_removed"}));
}

TEST(DriveWatcher, FollowsOnlyTheDriveAsked) {
  const std::string machine = R"({"drives": [{"root": "sr0"}, {"root": "sr1"}], "timeline": [
      {"at_ms": 1000, "drive": 0, "event": "tray_open"},
      {"at_ms": 2000, "drive": 1, "event": "tray_open"}]})";
  WatchRig rig(machine, std::string("sr1"));
  rig.RunUntil(5000);
  ASSERT_EQ(rig.lines.size(), 2u);
  EXPECT_NE(rig.lines[0].find("sr1 drive_added"), std::string::npos);
  EXPECT_NE(rig.lines[1].find("sr1 tray_open"), std::string::npos);
  EXPECT_EQ(rig.CommandsTo(0, 500), 0u);
}

}  // namespace
