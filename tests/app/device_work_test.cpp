// Device work from the window: the feature pages and their buttons, and the query on the
// device thread with the window staying responsive.
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <nlohmann/json.hpp>

#include "app/model/help_text.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/busy_indicator.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/skin/skin_widgets.h"
#include "gui_test_support.h"
#include "support/demo_report.h"

namespace {

using gui_testing::DemoRig;
using gui_testing::ModalWatcher;
using gui_testing::Rig;
using gui_testing::WaitIdle;

std::string VendorPageDrive(const std::string& support, const std::string& state) {
  return testing_machines::OneDrive(R"(, "vendor_page": {"support": ")" + support +
                                    R"(", "state": ")" + state + R"("})");
}

// support/state/button enabled/button caption of each feature, in page order.
std::vector<std::string> FeaturePages(app::TfrmMain& w) {
  auto show = [](QLabel* support, QLabel* state, QPushButton* button) {
    return support->text().toStdString() + "/" + state->text().toStdString() + "/" +
           (button->isEnabledTo(button->parentWidget()) ? "on" : "off") + "/" +
           button->text().toStdString();
  };
  return {show(w.Controls().labSuptQR, w.Controls().labQRIsDisable, w.Controls().btnSetQRAbility),
          show(w.Controls().labSuptTW, w.Controls().labTWIsActive, w.Controls().btnSetTWAbility),
          show(w.Controls().labSuptPL, w.Controls().labPLIsActive, w.Controls().btnSetPLAbility)};
}

int CountOpcode(const sim::SimSystem& system, uint8_t opcode) {
  int count = 0;
  for (const auto& c : system.Log()) count += c.cdb[0] == opcode ? 1 : 0;
  return count;
}

TEST(FeaturePages, ShowTheDrivesPageAtStartUp) {
  struct Case {
    const char* support;
    const char* state;
    std::vector<std::string> pages;
  };
  for (const Case& c : {
           Case{"0x26",
                "0x20",
                {"YES/YES/on/Disable Quillrate", "YES/NO/on/Enable Trimwave",
                 "YES/NO/on/Enable Pacelift"}},
           Case{"0x00",
                "0x00",
                {"NO/N/A/off/Enable Quillrate", "NO/N/A/off/Enable Trimwave",
                 "NO/N/A/off/Enable Pacelift"}},
       }) {
    ModalWatcher watcher;
    Rig rig(VendorPageDrive(c.support, c.state));
    EXPECT_EQ(FeaturePages(*rig.window), c.pages) << c.support << "/" << c.state;
  }
}

TEST(FeaturePages, EachButtonFlipsItsFeatureAndRefreshesAll) {
  struct Press {
    const char* button;
    std::vector<std::string> after;
    size_t warnings;  // warnings seen so far
  };
  ModalWatcher watcher;
  Rig rig(VendorPageDrive("0x26", "0x20"));
  app::TfrmMain& w = *rig.window;
  w.show();
  for (const Press& p : {
           Press{"btnSetQRAbility",
                 {"YES/NO/on/Enable Quillrate", "YES/NO/on/Enable Trimwave",
                  "YES/NO/on/Enable Pacelift"},
                 0},
           Press{"btnSetTWAbility",
                 {"YES/NO/on/Enable Quillrate", "YES/YES/on/Disable Trimwave",
                  "YES/NO/on/Enable Pacelift"},
                 0},
           Press{"btnSetPLAbility",
                 {"YES/NO/on/Enable Quillrate", "YES/YES/on/Disable Trimwave",
                  "YES/YES/on/Disable Pacelift"},
                 1},
           Press{"btnSetPLAbility",
                 {"YES/NO/on/Enable Quillrate", "YES/YES/on/Disable Trimwave",
                  "YES/NO/on/Enable Pacelift"},
                 1},
           Press{"btnSetPLAbility",
                 {"YES/NO/on/Enable Quillrate", "YES/YES/on/Disable Trimwave",
                  "YES/YES/on/Disable Pacelift"},
                 2},
       }) {
    rig.system->ClearLog();
    auto* button = w.findChild<QPushButton*>(p.button);
    ASSERT_NE(button, nullptr);
    w.Controls().suiPageControl1->SetActivePageIndex(button == w.Controls().btnSetQRAbility ? 1
                                                                                            : 2);
    button->click();
    WaitIdle(w);
    EXPECT_EQ(FeaturePages(w), p.after) << p.button;
    // One read and one write for the switch, then one read of the page for the refresh.
    EXPECT_EQ(CountOpcode(*rig.system, 0x5A), 2) << p.button;
    EXPECT_EQ(CountOpcode(*rig.system, 0x55), 1) << p.button;
    EXPECT_EQ(watcher.Seen().size(), p.warnings) << p.button;
  }
  for (const auto& seen : watcher.Seen()) {
    EXPECT_EQ(seen.name, "frmWarning");
    EXPECT_EQ(seen.caption, "Warning...");
    EXPECT_EQ(seen.text,
              "Pacelift function is used for advance users , the quality of disc can't be "
              "guaranteed after burning with this function.");
  }
}

TEST(FeaturePages, PaceliftWarningShowsEvenWhenTheDriveRejectsTheSwitch) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(
      R"(, "vendor_page": {"support": "0x26", "state": "0x20"},
          "faults": [{"command": "0x55", "kind": "sense", "sense": [5, "0x26", 0]}])"));
  app::TfrmMain& w = *rig.window;
  w.Controls().suiPageControl1->SetActivePageIndex(2);
  w.Controls().btnSetPLAbility->click();
  WaitIdle(w);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "frmWarning");
  EXPECT_EQ(w.Controls().labPLIsActive->text(), "NO");
}

// A query that writes given lines, and can hold the device thread until released.
struct ScriptedQuery {
  std::vector<std::string> lines;
  std::atomic<int> runs{0};
  std::atomic<bool> release{true};

  media::MediaReport operator()(media::ReportSink& sink) {
    ++runs;
    sink.PleaseWait("Please wait ...");
    while (!release.load()) QThread::yieldCurrentThread();
    sink.Cleared();
    for (const std::string& line : lines) sink.Line(line);
    media::MediaReport report;
    report.lines = lines;
    return report;
  }
};

app::model::ProgramServices WithQuery(const std::shared_ptr<ScriptedQuery>& query) {
  app::model::ProgramServices services = app::model::DefaultServices();
  services.runQuery = [query](device::AtapiDevice&, const custom::UserMediaRows&,
                              media::ReportSink& sink) { return (*query)(sink); };
  return services;
}

TEST(Query, MemoShowsTheReportLinesInOrder) {
  auto query = std::make_shared<ScriptedQuery>();
  query->lines = {"        Drive Type = DVD-RW   ", "         Disc Type = CDR",
                  "Manufacturer Maybe = Caf\xE9 Disc"};
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(), WithQuery(query));
  app::TfrmMain& w = *rig.window;
  w.Controls().suiPageControl1->SetActivePageIndex(2);
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(w.Controls().memTranslator->Lines(),
            (QStringList{"        Drive Type = DVD-RW   ", "         Disc Type = CDR",
                         QString::fromUtf8("Manufacturer Maybe = Caf\u00e9 Disc")}));
  EXPECT_EQ(w.ReportLines(), query->lines);
  EXPECT_EQ(w.Controls().suiPageControl1->ActivePageIndex(), 0);
  EXPECT_TRUE(w.Controls().cmdRefresh->isEnabled());
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Query, TheWindowStaysUsableButStartsNoSecondDeviceOperation) {
  auto query = std::make_shared<ScriptedQuery>();
  query->lines = {"line 1", "line 2"};
  query->release = false;
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(R"(, "vendor_page": {"support": "0x26", "state": "0x20"})"),
          WithQuery(query));
  app::TfrmMain& w = *rig.window;
  w.show();
  rig.system->ClearLog();
  w.Controls().cmdRefresh->click();
  // "Please wait ..." arrives while the drive is still becoming ready.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return w.Controls().memTranslator->toPlainText() == "Please wait ..."; }, 10000));
  EXPECT_TRUE(w.Controls().busyIndicator->Running());
  EXPECT_FALSE(w.Controls().cmdRefresh->isEnabled());
  EXPECT_FALSE(w.Controls().cboDrives->isEnabled());
  EXPECT_FALSE(w.Controls().btnSetQRAbility->isEnabled());
  // Pages still switch while the query runs.
  w.Controls().suiPageControl1->SetActivePageIndex(1);
  EXPECT_TRUE(w.Controls().suiTabSheet2->isVisible());
  w.cmdRefreshClick();
  w.btnSetQRAbilityClick();
  w.cboDrivesChange();
  query->release = true;
  WaitIdle(w);
  EXPECT_EQ(query->runs.load(), 1);
  EXPECT_TRUE(rig.system->Log().empty()) << "a feature or drive change ran during the query";
  EXPECT_EQ(w.Controls().memTranslator->Lines(), (QStringList{"line 1", "line 2"}));
  EXPECT_FALSE(w.Controls().busyIndicator->Running());
  EXPECT_TRUE(w.Controls().cmdRefresh->isEnabled());
  EXPECT_TRUE(w.Controls().cboDrives->isEnabled());
  EXPECT_TRUE(w.Controls().btnSetQRAbility->isEnabled());
}

// F5 starts the query within the key's own event, not after the button's animated press; the
// pressed picture follows and goes again.
TEST(Query, F5StartsTheQueryAtOnceAndThePressedLookFollows) {
  auto query = std::make_shared<ScriptedQuery>();
  query->lines = {"line 1"};
  query->release = false;
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(), WithQuery(query));
  app::TfrmMain& w = *rig.window;
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ASSERT_FALSE(w.DeviceBusy());
  QTest::keyClick(&w, Qt::Key_F5);
  EXPECT_TRUE(w.DeviceBusy()) << "the query had not started when the key's event returned";
  EXPECT_TRUE(w.Controls().cmdRefresh->isDown());
  EXPECT_FALSE(w.Controls().cmdRefresh->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Controls().cmdRefresh->isDown(); }, 5000));
  query->release = true;
  WaitIdle(w);
  EXPECT_EQ(query->runs.load(), 1);
  EXPECT_EQ(w.Controls().memTranslator->Lines(), QStringList{"line 1"});
  // A second F5 on the idle window queries again.
  QTest::keyClick(&w, Qt::Key_F5);
  EXPECT_TRUE(w.DeviceBusy());
  WaitIdle(w);
  EXPECT_EQ(query->runs.load(), 2);
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Query, ClosingDuringAQueryWaitsForItAndThenCloses) {
  auto query = std::make_shared<ScriptedQuery>();
  query->lines = {"line 1", "line 2"};
  query->release = false;
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(), WithQuery(query));
  app::TfrmMain& w = *rig.window;
  w.show();
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return w.Controls().memTranslator->toPlainText() == "Please wait ..."; }, 10000));
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  query->release = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 10000));
  // The query was abandoned after its current step; nothing more reached the memo.
  EXPECT_EQ(w.Controls().memTranslator->toPlainText(), QString("Please wait ..."));
  EXPECT_TRUE(watcher.Seen().empty());
}

// Holds the device thread inside a wait for a drive that never becomes ready until the test
// has acted, then counts the polls that follow: a wait that is given up ends at its next poll.
struct HeldWait {
  std::atomic<bool> waiting{false};
  std::atomic<bool> acted{false};
  std::atomic<int> pollsAfter{0};

  void Attach(app::TfrmMain& w) {
    w.Model().Device()->SetWaitObserver([this](const device::WaitProgress& p) {
      if (p.finished) return;
      if (acted) {
        ++pollsAfter;
        return;
      }
      waiting = true;
      QDeadlineTimer guard(10000);
      while (!acted && !guard.hasExpired()) QThread::yieldCurrentThread();
    });
  }
};

const char* kNeverReady = R"(, "becoming_ready_seconds": 100000, "disc": {"type": "cd-r"})";

TEST(Query, ClosingWhileTheDriveNeverBecomesReadyEndsTheWaitAndCloses) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(kNeverReady));
  app::TfrmMain& w = *rig.window;
  w.show();
  HeldWait held;
  held.Attach(w);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return held.waiting.load(); }, 10000));
  EXPECT_FALSE(w.close()) << "closed while the device thread still ran";
  held.acted = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 10000));
  EXPECT_EQ(held.pollsAfter.load(), 0) << "the wait went on after the window was closed";
  EXPECT_FALSE(w.DeviceBusy());
  EXPECT_TRUE(watcher.Seen().empty());
  rig.window.reset();  // FormDestroy: nothing of the device thread is left to wait for
}

TEST(Query, TheCancelButtonEndsTheWaitAndTheReportSaysSo) {
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Esc" : "Cancel button");
    ModalWatcher watcher;
    Rig rig(testing_machines::OneDrive(kNeverReady));
    app::TfrmMain& w = *rig.window;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_FALSE(w.Controls().cmdCancelQuery->isVisible());
    HeldWait held;
    held.Attach(w);
    rig.system->ClearLog();
    w.Controls().cmdRefresh->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return held.waiting.load(); }, 10000));
    EXPECT_TRUE(w.Controls().cmdCancelQuery->isVisible());
    if (escape) {
      w.activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
      QTest::keyClick(&w, Qt::Key_Escape);
    } else {
      w.Controls().cmdCancelQuery->click();
    }
    // A key presses the button as a click does, a moment later; the button then goes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Controls().cmdCancelQuery->isVisible(); }, 5000));
    held.acted = true;
    WaitIdle(w);
    EXPECT_EQ(held.pollsAfter.load(), 0);
    EXPECT_EQ(w.Controls().memTranslator->Lines(), QStringList{app::model::kQueryCancelledText});
    EXPECT_FALSE(w.Controls().cmdCancelQuery->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(CountOpcode(*rig.system, 0x00), static_cast<int>(rig.system->Log().size()))
        << "the drive was sent more than readiness polls";
  }
}

TEST(Query, AFailingQueryIsReportedNotThrownIntoTheEventLoop) {
  app::model::ProgramServices services = app::model::DefaultServices();
  services.runQuery = [](device::AtapiDevice&, const custom::UserMediaRows&,
                         media::ReportSink&) -> media::MediaReport {
    throw std::runtime_error("drive gone");
  };
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(), services);
  QSignalSpy finished(rig.window.get(), &app::TfrmMain::QueryFinished);
  rig.window->Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "drive gone");
  EXPECT_TRUE(rig.window->Controls().cmdRefresh->isEnabled());
}

// The report of the demonstration machine's CD-R writer (drive-list entry 1, combo line 0).
QStringList DemoCdReport() {
  QStringList lines;
  for (const std::string& line : testing_demo::kDemoCdReport) lines << QString::fromStdString(line);
  return lines;
}
const QStringList kDemoCdReport = DemoCdReport();

TEST(Query, TheDemoCdRShowsTheReportOfTheQuery) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  ASSERT_EQ(w.Model().Device()->CurrentIndex(), 1);
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(w.Controls().memTranslator->Lines(), kDemoCdReport);

  // The same query without a window gives the same lines.
  sim::SimSystem other(sim::DemoMachine());
  auto device = app::model::DefaultServices().createDevice(other);
  ASSERT_TRUE(device->SelectDrive(1));
  struct Discard : media::ReportSink {
    void PleaseWait(const std::string&) override {}
    void Cleared() override {}
    void Line(const std::string&) override {}
  } discard;
  const custom::UserMediaRows noRows;
  const media::MediaReport report =
      app::model::DefaultServices().runQuery(*device, noRows, discard);
  EXPECT_EQ(w.ReportLines(), report.lines);
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Report, CopiesAndSavesTheQueryAsTextAndJson) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(w.SaveReportAs(dir.filePath("early.json"), true, &error));
  EXPECT_EQ(error, "There is no complete report to save.");

  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));

  w.CopyReport();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), kDemoCdReport.join('\n') + '\n');

  const QString text = dir.filePath("report.txt");
  ASSERT_TRUE(w.SaveReportAs(text, false));
  QFile textFile(text);
  ASSERT_TRUE(textFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(textFile.readAll()), kDemoCdReport.join('\n') + '\n');

  const QString json = dir.filePath("report.json");
  ASSERT_TRUE(w.SaveReportAs(json, true));
  QFile jsonFile(json);
  ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly));
  const auto document = nlohmann::json::parse(jsonFile.readAll().toStdString());
  EXPECT_EQ(document["drive"]["index"], 1);
  EXPECT_EQ(document["drive"]["product"], "DVD-RW LS-1640L ");
  EXPECT_EQ(document["disc"]["lead_in"]["time"], "97:26:66");
  std::vector<std::string> lines;
  for (const QString& line : kDemoCdReport) lines.push_back(line.toStdString());
  EXPECT_EQ(document["lines"].get<std::vector<std::string>>(), lines);

  EXPECT_FALSE(w.SaveReportAs(dir.filePath("missing/dir/report.txt"), false, &error));
  EXPECT_FALSE(error.isEmpty());
  // A drive change clears the report; there is nothing to save as JSON any more.
  w.Controls().cboDrives->setCurrentIndex(1);
  gui_testing::WaitIdle(w);
  EXPECT_FALSE(w.SaveReportAs(json, true));
}

// Answers the memo's context menu: records its entries and picks one.
class MenuPicker {
 public:
  explicit MenuPicker(QString pick) : pick_(std::move(pick)) {
    app::SetMenuAnswer([this](QMenu& menu) -> QAction* {
      QAction* chosen = nullptr;
      for (QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        entries_ << action->text() + (action->isEnabled() ? "" : " (off)");
        if (action->text() == pick_ && action->isEnabled()) chosen = action;
      }
      return chosen;
    });
  }
  ~MenuPicker() { app::SetMenuAnswer({}); }
  MenuPicker(const MenuPicker&) = delete;
  MenuPicker& operator=(const MenuPicker&) = delete;
  QStringList Entries() const { return entries_; }

 private:
  QString pick_;
  QStringList entries_;
};

TEST(Report, TheMemosContextMenuCopiesTheReport) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  w.show();
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  QGuiApplication::clipboard()->clear();
  MenuPicker picker("Copy &Report");
  emit w.Controls().memTranslator->customContextMenuRequested(QPoint(10, 10));
  const QStringList entries = picker.Entries();
  EXPECT_TRUE(entries.contains("Copy &Report")) << entries.join(", ").toStdString();
  EXPECT_TRUE(entries.contains("Save Report as &Text...")) << entries.join(", ").toStdString();
  EXPECT_TRUE(entries.contains("Save Report as &JSON...")) << entries.join(", ").toStdString();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), kDemoCdReport.join('\n') + '\n');
}

TEST(Report, CtrlSOpensTheMenuAndSavingAddsTheFormatsSuffix) {
  QTemporaryDir dir;
  // The save dialog: its filter, and a name typed without a suffix.
  QStringList filters;
  ModalWatcher watcher([&](QDialog& window) {
    auto* dialog = qobject_cast<QFileDialog*>(&window);
    if (dialog == nullptr) return int{QDialog::Rejected};
    filters = dialog->nameFilters();
    dialog->selectFile(dir.filePath("my report"));
    return int{QDialog::Accepted};
  });
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  w.show();
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  for (const bool json : {false, true}) {
    MenuPicker picker(json ? "Save Report as &JSON..." : "Save Report as &Text...");
    w.Controls().suiPageControl1->SetActivePageIndex(2);
    w.ShowReportMenu();  // what Ctrl+S does
    EXPECT_TRUE(w.Controls().suiTabSheet1->isVisible()) << "the report's page is not shown";
    EXPECT_EQ(filters, QStringList{json ? "JSON files (*.json)" : "Text files (*.txt)"});
    const QString saved = dir.filePath(json ? "my report.json" : "my report.txt");
    EXPECT_TRUE(QFile::exists(saved)) << saved.toStdString();
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("my report")));
}

TEST(Help, F1OpensTheHelpWindowOverTheMainWindow) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_F1);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "frmHelp");
  EXPECT_EQ(watcher.Seen()[0].caption, app::model::kHelpCaption);
  EXPECT_TRUE(watcher.Seen()[0].ownerVisible);
}

QString WriteUserFile(const QTemporaryDir& dir, const char* text) {
  const QString path = dir.filePath("media.txt");
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
  return path;
}

QStringList QueryLines(app::TfrmMain& w) {
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  if (!finished.wait(10000)) return {"the query did not finish"};
  return w.Controls().memTranslator->Lines();
}

TEST(UserMediaFile, ARegisteredFileIsLoadedAtStartAndWinsInTheQuery) {
  QTemporaryDir dir;
  const std::string path =
      WriteUserFile(dir, "[CD]\n972666_795974=My Own Disc\n").toLocal8Bit().toStdString();
  sim::SimSystem system(sim::DemoMachine());
  std::vector<uint8_t> value(path.begin(), path.end());
  value.push_back(0);
  system.Registry().Put("SOFTWARE\\Quillrate\\", "UserDefinedFule",
                        {platform::RegType::String, value});
  ModalWatcher watcher;
  app::TfrmMain w(system, app::model::DefaultServices());
  EXPECT_EQ(w.Model().UserRows().cd.size(), 1u);
  EXPECT_EQ(QueryLines(w).value(6), "Manufacturer Maybe = My Own Disc");
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(UserMediaFile, TheHiddenButtonAddsAndRemovesAFile) {
  QTemporaryDir dir;
  const QString path = WriteUserFile(dir, "[cd]\n  972666_795974=Added Disc  \n");
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  w.UserFileChosen(path.toLocal8Bit().toStdString());
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "suiMsgBox");
  EXPECT_EQ(watcher.Seen()[0].text, "User-defined file added !");
  EXPECT_EQ(w.Model().UserRows().cd.size(), 1u);
  EXPECT_EQ(QueryLines(w).value(6), "Manufacturer Maybe = Added Disc");

  w.UserFileChosen(std::nullopt);
  ASSERT_EQ(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Seen()[1].text, "User-defined file removed !");
  EXPECT_EQ(w.Model().UserRows().cd.size(), 0u);
  EXPECT_EQ(QueryLines(w).value(6), "Manufacturer Maybe = CMC Magnetics Corporation");
}

TEST(DriveChange, ClearsTheReportAndShowsTheNewDrivesFeatures) {
  ModalWatcher watcher;
  DemoRig rig;
  app::TfrmMain& w = *rig.window;
  EXPECT_EQ(FeaturePages(w)[0], "YES/YES/on/Disable Quillrate");
  ASSERT_EQ(QueryLines(w), kDemoCdReport);
  w.Controls().cboDrives->setCurrentIndex(1);
  WaitIdle(w);
  EXPECT_EQ(w.Model().Device()->CurrentIndex(), 2);
  EXPECT_TRUE(w.Controls().memTranslator->Lines().isEmpty());
  EXPECT_EQ(FeaturePages(w),
            (std::vector<std::string>{"NO/N/A/off/Enable Quillrate", "NO/N/A/off/Enable Trimwave",
                                      "NO/N/A/off/Enable Pacelift"}));
}

}  // namespace
