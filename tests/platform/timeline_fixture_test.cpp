// A machine's timeline in its fixture: what is read, and every mistake named with its place.
#include <gtest/gtest.h>

#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

std::string WithTimeline(const std::string& timeline) {
  return R"({"drives": [{"root": "sr0"}, {"root": "sr1", "plugged": false}], "timeline": )" +
         timeline + "}";
}

TEST(TimelineFixture, MistakesNameTheirPlace) {
  struct Case {
    std::string timeline;
    const char* message;
  };
  const Case cases[] = {
      {R"({"at_ms": 5})", "timeline: expected an array"},
      {R"([5])", "timeline[0]: expected an object"},
      {R"([{"drive": 0, "event": "tray_open"}])",
       "timeline[0]: a timeline entry needs its \"at_ms\""},
      {R"([{"at_ms": 5, "drive": 0}])", "timeline[0]: a timeline entry needs its \"event\""},
      {R"([{"at_ms": 5, "event": "tray_open"}])",
       "timeline[0]: a timeline entry needs its \"drive\""},
      {R"([{"at_ms": 5, "drive": 2, "event": "tray_open"}])",
       "timeline[0].drive: no drive 2 (the machine has 2 drives)"},
      {R"([{"at_ms": 5, "drive": -1, "event": "tray_open"}])", "timeline[0].drive: no drive -1"},
      {R"([{"at_ms": -5, "drive": 0, "event": "tray_open"}])",
       "timeline[0].at_ms: value -5 outside"},
      {R"([{"at_ms": 5, "drive": 0, "event": "explode"}])",
       "timeline[0].event: expected tray_open, tray_closed, disc_inserted, disc_removed, "
       "drive_added, drive_removed, busy or media_change"},
      {R"([{"at_ms": 5, "drive": 0, "event": 7}])", "timeline[0].event: type must be string"},
      {R"([{"at_ms": 5, "drive": 0, "event": "disc_inserted"}])",
       "timeline[0]: disc_inserted needs the \"disc\" put in"},
      {R"([{"at_ms": 5, "drive": 0, "event": "disc_inserted", "disc": {"type": "cd-x"}}])",
       "timeline[0].disc.type: expected one of"},
      {R"([{"at_ms": 5, "drive": 0, "event": "tray_open", "disc": {"type": "cd-r"}}])",
       "timeline[0].disc: only disc_inserted puts a disc in"},
      {R"([{"at_ms": 5, "drive": 0, "event": "disc_inserted", "disc": {"type": "cd-r"},
            "ready_after_ms": "soon"}])",
       "timeline[0].ready_after_ms: expected an integer"},
      {R"([{"at_ms": 5, "drive": 0, "event": "tray_open", "ready_after_ms": 5}])",
       "timeline[0].ready_after_ms: only for disc_inserted"},
      {R"([{"at_ms": 5, "drive": 0, "event": "busy"}])", "timeline[0]: busy needs \"for_ms\""},
      {R"([{"at_ms": 5, "drive": 0, "event": "busy", "for_ms": 0}])",
       "timeline[0].for_ms: value 0 outside 1.."},
      {R"([{"at_ms": 5, "drive": 0, "event": "tray_open", "for_ms": 5}])",
       "timeline[0].for_ms: only for busy"},
      {R"([{"at_ms": 5, "drive": 0, "event": "media_change", "repeat": 100}])",
       "timeline[0]: \"repeat\" needs \"every_ms\""},
      {R"([{"at_ms": 5, "drive": 0, "event": "media_change", "every_ms": 10}])",
       "timeline[0].every_ms: only with \"repeat\""},
      {R"([{"at_ms": 5, "drive": 0, "event": "media_change", "repeat": 1000000, "every_ms": 1}])",
       "timeline[0].repeat: value 1000000 outside 1..100000"},
      {R"([{"at_ms": 5, "drive": 0, "event": "tray_open", "when": 5}])",
       "timeline[0]: unknown field \"when\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeline);
    try {
      sim::LoadMachineFromText(WithTimeline(c.timeline));
      ADD_FAILURE() << "accepted";
    } catch (const sim::FixtureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(TimelineFixture, EntriesChangeTheDrivesWhenTheirTimeComes) {
  sim::SimSystem system(sim::LoadMachineFromText(WithTimeline(R"([
      {"at_ms": 1000, "drive": 0, "event": "tray_open"},
      {"at_ms": 2000, "drive": 0, "event": "disc_inserted", "disc": {"type": "cd-r"},
       "ready_after_ms": 500},
      {"at_ms": 3000, "drive": 1, "event": "drive_added"},
      {"at_ms": 4000, "drive": 0, "event": "busy", "for_ms": 1000},
      {"at_ms": 6000, "drive": 1, "event": "drive_removed", "comment": "pulled out"}])")));
  auto roots = [&] { return *system.LogicalDriveRoots(); };
  EXPECT_EQ(roots(), std::vector<std::string>{"sr0"});
  EXPECT_EQ(system.OpenDevice("sr1"), nullptr);
  system.Sleep(1000);
  EXPECT_TRUE(system.DriveAt(0).Model().trayOpen);
  system.Sleep(1000);
  EXPECT_FALSE(system.DriveAt(0).Model().trayOpen);
  ASSERT_TRUE(system.DriveAt(0).Model().disc.has_value());
  EXPECT_DOUBLE_EQ(system.DriveAt(0).Model().becomingReadySeconds, 2.5);
  system.Sleep(1000);
  EXPECT_EQ(roots(), (std::vector<std::string>{"sr0", "sr1"}));
  EXPECT_NE(system.OpenDevice("sr1"), nullptr);
  system.Sleep(1000);
  EXPECT_EQ(system.DriveAt(0).Model().busyUntilNs, 5'000'000'000u);
  system.Sleep(2000);
  EXPECT_EQ(roots(), std::vector<std::string>{"sr0"});

  using K = platform::DriveNoticeKind;
  std::vector<std::pair<K, std::string>> told;
  for (const auto& notice : system.PendingNotices()) told.emplace_back(notice.kind, notice.root);
  EXPECT_EQ(told, (std::vector<std::pair<K, std::string>>{{K::EjectRequest, "sr0"},
                                                          {K::MediaChanged, "sr0"},
                                                          {K::MediaChanged, "sr0"},
                                                          {K::DriveAdded, "sr1"},
                                                          {K::MediaChanged, "sr0"},
                                                          {K::DriveRemoved, "sr1"}}));
}

TEST(TimelineFixture, DriveTheSystemDoesNotWatchGivesNoNotice) {
  sim::SimSystem system(sim::LoadMachineFromText(
      R"({"drives": [{"root": "sr0", "system_watches": false}], "timeline": [
          {"at_ms": 10, "drive": 0, "event": "tray_open"}]})"));
  system.Sleep(20);
  EXPECT_TRUE(system.DriveAt(0).Model().trayOpen);
  EXPECT_TRUE(system.PendingNotices().empty());
}

}  // namespace
