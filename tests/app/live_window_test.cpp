// The Qt window following its drives on a simulated machine whose timeline plays on the virtual
// clock: a disc put in is queried and shown without a press, a pulled-out drive leaves the
// selector, and the memo's menu turns the query on its own off.
#include <QAction>
#include <QMenu>

#include "app/model/report_export.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_widgets.h"
#include "gui_test_support.h"
#include "settings/os_info.h"

namespace {

using gui_testing::Rig;
using gui_testing::WaitIdle;

std::string Drive(const std::string& root, int port, const std::string& extra = "") {
  return gui_testing::Drive(
      root, port, 0, "DVD-RW " + root,
      std::string(gui_testing::kWriter) + R"(, "system_watches": true)" + extra);
}

std::string Machine(const std::vector<std::string>& drives, const std::string& timeline) {
  std::string machine = gui_testing::Machine(drives, R"(, "drive_events": true)");
  machine.pop_back();  // its closing brace
  return machine + R"(, "timeline": [)" + timeline + "]}";
}

constexpr const char* kInsert =
    R"({"at_ms": 1000, "drive": 0, "event": "disc_inserted", "ready_after_ms": 1500,
        "disc": {"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"}})";

uint64_t NowMs(Rig& rig) {
  return rig.system->Clock().NowNs() / 1'000'000;
}

// Follows the drives one slice after the other, waiting for the window each time.
void FollowUntil(Rig& rig, uint64_t ms) {
  for (int step = 0; step < 100000 && NowMs(rig) < ms; ++step) {
    rig.window->Model().FollowStep();
    WaitIdle(*rig.window);
  }
  ASSERT_GE(NowMs(rig), ms);
}

void StartFollowing(Rig& rig) {
  rig.window->Model().StartFollowing(rig.system->OpenDriveEvents({.realTime = false}), false);
  WaitIdle(*rig.window);
}

QString Memo(Rig& rig) {
  return rig.window->Controls().memTranslator->toPlainText();
}

TEST(LiveWindow, ADiscPutInIsShownWithoutAPress) {
  struct Case {
    const char* name;
    bool autoQuery;
    bool shown;
  };
  for (const Case& c :
       {Case{"the setting on", true, true}, Case{"the setting off", false, false}}) {
    SCOPED_TRACE(c.name);
    Rig rig(Machine({Drive("sr0", 1)}, kInsert));
    if (!c.autoQuery) rig.window->Model().SetAutoQuery(false);
    StartFollowing(rig);
    EXPECT_FALSE(Memo(rig).contains("Disc Type"));
    FollowUntil(rig, 8000);
    EXPECT_EQ(Memo(rig).contains("Disc Type = CDR"), c.shown) << Memo(rig).toStdString();
    EXPECT_TRUE(rig.window->Controls().cmdRefresh->isEnabled());
  }
}

TEST(LiveWindow, ThePulledOutSelectedDriveLeavesTheSelector) {
  Rig rig(Machine({Drive("sr0", 1), Drive("sr1", 2)},
                  R"({"at_ms": 1000, "drive": 0, "event": "drive_removed"})"));
  StartFollowing(rig);
  ASSERT_EQ(rig.window->Controls().cboDrives->count(), 2);
  FollowUntil(rig, 4000);
  ASSERT_EQ(rig.window->Controls().cboDrives->count(), 1);
  EXPECT_TRUE(rig.window->Controls().cboDrives->currentText().contains("DVD-RW sr1"));
  EXPECT_EQ(rig.window->Controls().cboDrives->currentIndex(), 0);
  EXPECT_TRUE(Memo(rig).startsWith("The selected drive was removed: sr0"))
      << Memo(rig).toStdString();
  EXPECT_TRUE(rig.window->Controls().cmdRefresh->isEnabled());
}

TEST(LiveWindow, TheMemosMenuTurnsTheQueryOnItsOwnOffAndKeepsIt) {
  Rig rig(Machine({Drive("sr0", 1)}, kInsert));
  QStringList checks;
  app::SetMenuAnswer([&checks](QMenu& menu) -> QAction* {
    for (QAction* action : menu.actions()) {
      if (action->text() != app::model::kAutoQueryItem) continue;
      checks << (action->isChecked() ? "checked" : "unchecked");
      return action;
    }
    return nullptr;
  });
  rig.window->ShowReportMenu();
  rig.window->ShowReportMenu();
  rig.window->ShowReportMenu();
  app::SetMenuAnswer({});
  EXPECT_EQ(checks, QStringList({"checked", "unchecked", "checked"}));
  std::array<char, 256> value{};
  ASSERT_TRUE(settings::OSInfo::ReadRegString(*rig.system, settings::kProgramKey,
                                              app::model::kAutoQueryValue, value));
  EXPECT_STREQ(value.data(), "0");
}

}  // namespace
