// The main window following its drives on simulated machines whose timelines play on the
// virtual clock: a disc put in is queried without a press, a drive pulled out leaves the list,
// news that come while the window works give one query afterwards, and the setting turns the
// query on its own off.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/main_window_model.h"
#include "media/media_report.h"
#include "model/model_rig.h"
#include "settings/os_info.h"

namespace {

using app::model::MainWindowModel;
using model_testing::Rig;

constexpr const char* kCdR = R"({"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"})";

std::string Drive(const std::string& root, int port, const std::string& extra = "") {
  return R"({"root": ")" + root + R"(", "address": {"port": )" + std::to_string(port) +
         R"(, "target": 0}, "vendor": "VEXO", "product": "W)" + root +
         R"(", "revision": "1.00", "reads": ["cd-r", "cd-rw", "dvd-rom"], "writes": ["cd-r"],
         "profiles": ["0x0008", "0x0009", "0x0010"], "system_watches": true)" +
         extra + "}";
}

std::string WithDisc() {
  return std::string(R"(, "disc": )") + kCdR;
}

std::string Machine(const std::vector<std::string>& drives, const std::string& timeline) {
  std::string list;
  for (const std::string& d : drives) list += (list.empty() ? "" : ",") + d;
  return R"({"platform": {"nt": true, "drive_events": true}, "drives": [)" + list +
         R"(], "timeline": [)" + timeline + "]}";
}

std::string At(int atMs, int drive, const std::string& event, const std::string& more = "") {
  return R"({"at_ms": )" + std::to_string(atMs) + R"(, "drive": )" + std::to_string(drive) +
         R"(, "event": ")" + event + "\"" + more + "}";
}

std::string Insert(int atMs, int readyAfterMs) {
  return At(atMs, 0, "disc_inserted",
            R"(, "ready_after_ms": )" + std::to_string(readyAfterMs) + R"(, "disc": )" + kCdR);
}

// A window whose queries are counted, following its drives step by step.
struct LiveRig {
  explicit LiveRig(const std::string& json, bool autoQuery = true)
      : rig(json, CountingServices(queries)) {
    if (!autoQuery) {
      settings::OSInfo::WriteRegString(*rig.system, settings::kProgramKey,
                                       app::model::kAutoQueryValue, "0");
    }
    rig.model->StartFollowing(rig.system->OpenDriveEvents({.realTime = false}), false);
    rig.thread->RunAll();
  }
  static app::model::ProgramServices CountingServices(std::shared_ptr<int> count) {
    app::model::ProgramServices services = app::model::DefaultServices();
    services.runQuery = [count, run = services.runQuery](device::AtapiDevice& device,
                                                         const custom::UserMediaRows& rows,
                                                         media::ReportSink& sink) {
      ++*count;
      return run(device, rows, sink);
    };
    return services;
  }
  uint64_t NowMs() { return rig.system->Clock().NowNs() / 1'000'000; }
  // Follows the drives, with all the window's work in between, until the clock reaches `ms`.
  void FollowUntil(uint64_t ms) {
    for (int step = 0; step < 100000 && NowMs() < ms; ++step) {
      rig.model->FollowStep();
      rig.thread->RunAll();
    }
    ASSERT_GE(NowMs(), ms) << "the follow stopped moving the clock";
  }
  size_t CommandsSince(size_t logged) const { return rig.system->Log().size() - logged; }

  std::shared_ptr<int> queries = std::make_shared<int>(0);
  Rig rig;
};

bool ShowsReport(const std::vector<std::string>& memo) {
  for (const std::string& line : memo) {
    if (line.find("Disc Type = CDR") != std::string::npos) return true;
  }
  return false;
}

TEST(MainWindowLive, QueriesANewDiscOnlyWhenItShould) {
  struct Case {
    const char* name;
    std::string machine;
    bool autoQuery;
    uint64_t untilMs;
    int queries;
    bool report;                    // the memo shows a disc's report
    std::vector<std::string> memo;  // when no report: the memo exactly
  };
  const std::string empty = Drive("sr0", 1);
  const Case cases[] = {
      {"a disc put in and ready is queried without a press",
       Machine({empty}, Insert(1000, 1500)),
       true,
       8000,
       1,
       true,
       {}},
      {"the setting off: no query on its own",
       Machine({empty}, Insert(1000, 1500)),
       false,
       8000,
       0,
       false,
       {}},
      {"a disc that never becomes ready is never queried",
       Machine({empty}, At(1000, 0, "disc_inserted",
                           std::string(R"(, "ready_after_ms": "never", "disc": )") + kCdR)),
       true,
       20000,
       0,
       false,
       {}},
      {"a disc in another drive leaves the selected one alone",
       Machine({empty, Drive("sr1", 2)},
               At(1000, 1, "disc_inserted", std::string(R"(, "disc": )") + kCdR)),
       true,
       8000,
       0,
       false,
       {}},
      {"the disc there at the start is taken out: the report says so",
       Machine({Drive("sr0", 1, WithDisc())}, At(1000, 0, "tray_open")),
       true,
       5000,
       0,
       false,
       {app::model::kDiscEjectedText}},
      {"a drive busy writing is left alone until done",
       Machine({empty}, Insert(1000, 500) + "," + At(1200, 0, "busy", R"(, "for_ms": 20000)")),
       true,
       15000,
       0,
       false,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LiveRig live(c.machine, c.autoQuery);
    live.FollowUntil(c.untilMs);
    EXPECT_EQ(*live.queries, c.queries);
    EXPECT_EQ(ShowsReport(live.rig.view.memo), c.report);
    if (!c.report) {
      EXPECT_EQ(live.rig.view.memo, c.memo);
    }
    EXPECT_EQ(live.rig.model->Phase(), app::model::WindowPhase::Idle);
  }
}

TEST(MainWindowLive, ABusyDriveIsQueriedOnceItIsDone) {
  LiveRig live(Machine({Drive("sr0", 1)},
                       Insert(1000, 500) + "," + At(1200, 0, "busy", R"(, "for_ms": 8000)")));
  live.FollowUntil(8000);
  EXPECT_EQ(*live.queries, 0);
  live.FollowUntil(30000);
  EXPECT_EQ(*live.queries, 1);
  EXPECT_TRUE(ShowsReport(live.rig.view.memo));
}

TEST(MainWindowLive, AStormOfNewsDuringAQueryGivesOneQueryAfterIt) {
  // The user presses Query while the disc still loads; a hundred notices in one second come
  // while the query waits for the drive.
  LiveRig live(Machine(
      {Drive("sr0", 1)},
      Insert(100, 3000) + "," + At(500, 0, "media_change", R"(, "repeat": 100, "every_ms": 10)")));
  live.FollowUntil(200);
  live.rig.model->cmdRefreshClick();
  live.rig.thread->RunAll();
  EXPECT_EQ(*live.queries, 1);
  EXPECT_GE(live.NowMs(), 3100u) << "the query waited for the disc";
  live.FollowUntil(30000);
  EXPECT_EQ(*live.queries, 2);
  EXPECT_TRUE(ShowsReport(live.rig.view.memo));
}

TEST(MainWindowLive, ANewDiscToldWhileTheWindowWorksIsQueriedOnceAfterwards) {
  struct Case {
    const char* name;
    bool autoQuery;
    int queries;  // the press, and the follow-up
  };
  const Case cases[] = {{"one query follows the press", true, 2},
                        {"none with the setting off", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Another disc goes into the drive five times in 50 ms; the news reach the window while its
    // query waits in line.
    LiveRig live(Machine({Drive("sr0", 1, WithDisc())},
                         At(1000, 0, "disc_inserted",
                            std::string(R"(, "repeat": 5, "every_ms": 10, "disc": )") + kCdR)),
                 c.autoQuery);
    live.FollowUntil(1200);
    live.rig.model->FollowStep();
    live.rig.model->cmdRefreshClick();
    live.rig.thread->RunAll();
    live.FollowUntil(30000);
    EXPECT_EQ(*live.queries, c.queries);
    EXPECT_TRUE(ShowsReport(live.rig.view.memo));
  }
}

// The follow takes the drives the window listed: each is asked once what it holds (TEST UNIT
// READY), and none is identified again. A list found through an ASPI manager is listed afresh.
TEST(MainWindowLive, FollowingStartsFromTheWindowsDriveList) {
  struct Case {
    const char* name;
    std::string platform;
    std::vector<std::string> sent;  // drive:opcode
  };
  for (const Case& c : {
           Case{"pass-through", "", {"0:00", "1:00"}},
           Case{"an ASPI manager",
                R"(, "aspi": "ready")",
                // Drives found through ASPI have no root: the follow tells them as one.
                {"0:00", "0:12", "0:5A", "1:00", "1:12", "1:5A", "0:00"}},
       }) {
    SCOPED_TRACE(c.name);
    std::string machine = Machine({Drive("sr0", 1, WithDisc() + R"(, "aspi": [0, 1, 0])"),
                                   Drive("sr1", 2, R"(, "aspi": [0, 2, 0])")},
                                  "");
    machine.replace(machine.find(R"("drive_events": true)"), 20,
                    std::string(R"("drive_events": true)") + c.platform);
    Rig rig(machine);
    ASSERT_EQ(rig.model->Device()->GetDriveCount(), 2);
    const size_t logged = rig.system->Log().size();
    rig.model->StartFollowing(rig.system->OpenDriveEvents({.realTime = false}), false);
    rig.thread->RunAll();
    std::vector<std::string> sent;
    for (size_t i = logged; i < rig.system->Log().size(); ++i) {
      const sim::LoggedCommand& command = rig.system->Log()[i];
      static const char* digits = "0123456789ABCDEF";
      sent.push_back(std::to_string(command.drive) + ":" + digits[command.cdb[0] >> 4] +
                     digits[command.cdb[0] & 15]);
    }
    EXPECT_EQ(sent, c.sent);
  }
}

TEST(MainWindowLive, NoCommandReachesAnIdleDriveTheSystemWatches) {
  LiveRig live(Machine({Drive("sr0", 1, WithDisc())}, At(60000, 0, "tray_open")));
  live.FollowUntil(1000);
  const size_t logged = live.rig.system->Log().size();
  live.FollowUntil(59000);
  EXPECT_EQ(live.CommandsSince(logged), 0u);
}

TEST(MainWindowLive, TheDriveListFollowsPluggedAndPulledDrives) {
  struct Case {
    const char* name;
    std::vector<std::string> drives;
    std::string timeline;
    std::vector<std::string> lines;  // the drive selector's products afterwards
    int selectedIndex;               // drive-list index of the selection; -1: none
    bool queryAllowed;
    std::vector<std::string> memo;
  };
  const std::string sr1Later = Drive("sr1", 2, R"(, "plugged": false)");
  const Case cases[] = {
      {"a drive plugged in joins; the selection stays",
       {Drive("sr0", 1), sr1Later},
       At(1000, 1, "drive_added"),
       {"Wsr0", "Wsr1"},
       0,
       true,
       {}},
      {"another drive pulled out; the selection stays",
       {Drive("sr0", 1), Drive("sr1", 2)},
       At(1000, 1, "drive_removed"),
       {"Wsr0"},
       0,
       true,
       {}},
      {"the selected drive pulled out: said, another selected",
       {Drive("sr0", 1), Drive("sr1", 2)},
       At(1000, 0, "drive_removed"),
       {"Wsr1"},
       0,
       true,
       {"The selected drive was removed: sr0 (VEXO Wsr0)."}},
      {"the only drive pulled out: said, the query disabled",
       {Drive("sr0", 1)},
       At(1000, 0, "drive_removed"),
       {},
       -1,
       false,
       {"The selected drive was removed: sr0 (VEXO Wsr0).", app::model::kNoDriveLeftText}},
      {"pulled out and plugged in again: selected again",
       {Drive("sr0", 1)},
       At(1000, 0, "drive_removed") + "," + At(3000, 0, "drive_added"),
       {"Wsr0"},
       0,
       true,
       {"The selected drive was removed: sr0 (VEXO Wsr0).", app::model::kNoDriveLeftText}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LiveRig live(Machine(c.drives, c.timeline));
    live.FollowUntil(6000);
    std::vector<std::string> products;
    for (const std::string& line : live.rig.view.driveLines) {
      products.push_back(line.substr(line.find("Wsr"), 4));
    }
    EXPECT_EQ(products, c.lines);
    const auto* device = live.rig.model->Device();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(c.selectedIndex < 0 ? -1 : device->CurrentIndex(), c.selectedIndex);
    EXPECT_EQ(live.rig.view.input.query, c.queryAllowed);
    EXPECT_EQ(live.rig.view.memo, c.memo);
  }
}

}  // namespace
