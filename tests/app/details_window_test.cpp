// The details window of the Qt program: opened by keyboard and from the report's menu, read
// on the device thread, with its texts, accessible names and plot; the plain query asks
// nothing more than before.
#include <QImage>
#include <QMenu>
#include <QTest>

#include "app/model/details_model.h"
#include "app/qt/frm_details.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"
#include "app/qt/speed_plot_widget.h"
#include "gui_test_support.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

using gui_testing::DemoRig;
using gui_testing::ModalWatcher;
using gui_testing::WaitIdle;

std::vector<uint8_t> Opcodes(const sim::SimSystem& system) {
  std::vector<uint8_t> opcodes;
  for (const auto& c : system.Log()) opcodes.push_back(c.cdb[0]);
  return opcodes;
}

// The commands of the report of the demo's first writer, asked afresh, as the window asks.
std::vector<uint8_t> PlainQueryCommands() {
  sim::SimSystem system(sim::DemoMachine());
  auto device = media::CreateDevice(system, true);
  device->SelectDrive(1);
  device->ForgetAnswers();
  system.ClearLog();
  media::SilentReportSink sink;
  media::RunMediaReport(*device, {}, sink);
  return Opcodes(system);
}

// Answers the report's menu with the entry named `pick`.
class MenuPick {
 public:
  explicit MenuPick(const char* pick) {
    app::SetMenuAnswer([pick](QMenu& menu) -> QAction* {
      for (QAction* action : menu.actions()) {
        if (action->text() == pick) return action;
      }
      return nullptr;
    });
  }
  ~MenuPick() { app::SetMenuAnswer({}); }
  MenuPick(const MenuPick&) = delete;
  MenuPick& operator=(const MenuPick&) = delete;
};

TEST(DetailsWindow, CtrlDOpensItReadsTheDetailsAndTheQueryAsksNothingMore) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  rig.system->ClearLog();
  QTest::keyClick(&w, Qt::Key_F5);
  WaitIdle(w);
  EXPECT_EQ(Opcodes(*rig.system), PlainQueryCommands()) << "the plain query asked more";
  EXPECT_EQ(w.Details(), nullptr);

  rig.system->ClearLog();
  QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
  app::TfrmDetails* details = w.Details();
  ASSERT_NE(details, nullptr);
  EXPECT_TRUE(details->isVisible());
  EXPECT_TRUE(w.DeviceBusy()) << "the details were read on the window's thread";
  EXPECT_EQ(details->lblStatus->text().toStdString(), app::model::kDetailsReadingText);
  EXPECT_FALSE(details->cmdReadAgain->isEnabled());
  WaitIdle(w);
  EXPECT_FALSE(rig.system->Log().empty());
  EXPECT_EQ(details->suiForm1->Caption(), "Disc Details");
  EXPECT_EQ(details->lblStatus->text(), "Appendable: 2 sessions, 245 MB free");
  const QStringList speeds = details->memSpeeds->Lines();
  ASSERT_EQ(speeds.size(), 6);
  EXPECT_EQ(speeds[0], "Disc: CDR, rated 48×");
  EXPECT_EQ(speeds[3], "     40×     7056  CLV       performance, mode_page   picked");
  EXPECT_EQ(details->lblVerdict->text(), "");
  EXPECT_TRUE(details->cmdReadAgain->isEnabled());
  EXPECT_EQ(details->pbSpeeds->Plot().marks.size(), 4u);
  EXPECT_EQ(details->pbSpeeds->accessibleDescription(), "16×, 24×, 40× (picked), 48×; rated 48×");

  // Every control has its accessible name.
  const std::vector<std::pair<QWidget*, QString>> names = {
      {details->lblStatus, "Disc status and free space"},
      {details->memSpeeds, "Write speeds"},
      {details->lblVerdict, "Verdict"},
      {details->pbSpeeds, "Plot of the write speeds"},
      {details->cmdReadAgain, "Read Again"},
      {details->cmdClose, "Close"}};
  for (const auto& [control, name] : names) {
    EXPECT_EQ(control->accessibleName(), name) << control->objectName().toStdString();
  }

  // The plot is painted: the picked mark in its own colour, the others not.
  const QImage picture = details->pbSpeeds->grab().toImage();
  for (const app::model::PlotMark& mark : details->pbSpeeds->Plot().marks) {
    const QPoint at = details->pbSpeeds->At(mark.x, mark.y).toPoint();
    EXPECT_EQ(picture.pixelColor(at) == QColor(0xE0, 0x60, 0x00), mark.picked) << mark.label;
  }

  // Esc closes it; the report's menu opens it again with what was read, asking nothing.
  QTest::keyClick(details, Qt::Key_Escape);
  EXPECT_FALSE(details->isVisible());
  EXPECT_FALSE(w.Model().DetailsOpen());
  rig.system->ClearLog();
  {
    MenuPick pick(app::model::kDetailsMenuItem);
    w.ShowReportMenu();
  }
  EXPECT_TRUE(details->isVisible());
  EXPECT_FALSE(w.DeviceBusy());
  EXPECT_TRUE(rig.system->Log().empty());
  EXPECT_EQ(details->lblStatus->text(), "Appendable: 2 sessions, 245 MB free");
  EXPECT_TRUE(watcher.Seen().empty());
}

}  // namespace
