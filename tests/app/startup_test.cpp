// Start-up and shutdown of the main window on simulated machines: the drive list, the
// messages that end the program, branding, build mode and the size written on close.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <stdexcept>

#include "app/model/main_window_model.h"
#include "app/qt/app_main.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/busy_indicator.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/skin/skin_widgets.h"
#include "gui_test_support.h"
#include "text/fixed_text.h"

namespace {

using gui_testing::Drive;
using gui_testing::kCdReader;
using gui_testing::kDvdReader;
using gui_testing::kWriter;
using gui_testing::Machine;
using gui_testing::ModalWatcher;
using gui_testing::Rig;
using Icon = skin::SkinMessageBox::Icon;

TEST(Startup, ComboLineOfAdapter1OnE) {
  ModalWatcher watcher;
  Rig rig(Machine({Drive(R"(E:\\)", 1, 0, "DVD-RW TEST     ", kWriter)}));
  ASSERT_EQ(rig.window->Controls().cboDrives->count(), 1);
  // A space, 1-0-0-0, a space, E:, the display name in 24 characters, a space, the revision.
  EXPECT_EQ(rig.window->Controls().cboDrives->itemText(0).toStdString(),
            " 1-0-0-0 E:VEXO    DVD-RW TEST      1.00");
  EXPECT_EQ(rig.window->Controls().cboDrives->currentIndex(), 0);
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_FALSE(rig.window->TerminateRequested());
  EXPECT_TRUE(rig.window->Controls().cmdRefresh->isEnabled());
}

TEST(Startup, NoDriveShowsTheMessageAndEnds) {
  ModalWatcher watcher;
  Rig rig(Machine({}));
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, app::model::NoDriveMessage().text);
  EXPECT_EQ(watcher.Seen()[0].caption, "Error ...");
  EXPECT_EQ(watcher.Seen()[0].icon, Icon::Error);
  EXPECT_FALSE(watcher.Seen()[0].splashVisible);
  EXPECT_TRUE(rig.window->TerminateRequested());
  EXPECT_EQ(rig.window->findChild<QWidget*>("frmSplash"), nullptr);
  // The program ends at once: its main window never shows.
  EXPECT_FALSE(rig.window->isVisible());
}

TEST(Startup, OnlyACdReaderLeavesTheComboEmptyAndTheQueryDisabled) {
  ModalWatcher watcher;
  Rig rig(Machine({Drive(R"(D:\\)", 0, 0, "CD-ROM", kCdReader)}));
  EXPECT_EQ(rig.window->Controls().cboDrives->count(), 0);
  EXPECT_FALSE(rig.window->Controls().cmdRefresh->isEnabled());
  EXPECT_TRUE(watcher.Seen().empty());
  EXPECT_FALSE(rig.window->TerminateRequested());
  // No refresh ran: the feature pages keep their layout values.
  EXPECT_EQ(rig.window->Controls().labSuptQR->text(), "N/A");
  EXPECT_EQ(rig.window->Controls().btnSetQRAbility->text(), "Enable Quillrate");
}

TEST(Startup, ADvdReaderFirstGetsNoLineAndLineZeroSelectsEntryOne) {
  ModalWatcher watcher;
  Rig rig(Machine({Drive(R"(D:\\)", 0, 0, "DVD-ROM", kDvdReader),
                   Drive(R"(E:\\)", 1, 0, "DVD-RW A", kWriter),
                   Drive(R"(F:\\)", 1, 1, "DVD-RW B", kWriter)}));
  app::TfrmMain& w = *rig.window;
  ASSERT_EQ(w.Controls().cboDrives->count(), 2);
  EXPECT_EQ(w.Model().DriveIndexOfLine(0), 1);
  EXPECT_EQ(w.Model().DriveIndexOfLine(1), 2);
  for (int i = 2; i < app::model::kMaxDriveLines; ++i) EXPECT_EQ(w.Model().DriveIndexOfLine(i), -1);
  EXPECT_EQ(w.Model().Device()->CurrentIndex(), 1);
  w.Controls().cboDrives->setCurrentIndex(1);
  gui_testing::WaitIdle(w);
  EXPECT_EQ(w.Model().Device()->CurrentIndex(), 2);
  EXPECT_TRUE(watcher.Seen().empty());
}

TEST(Startup, NoSelectedLineSelectsNothing) {
  ModalWatcher watcher;
  Rig rig(Machine({Drive(R"(E:\\)", 1, 0, "DVD-RW A", kWriter)}));
  app::TfrmMain& w = *rig.window;
  rig.system->ClearLog();
  w.Controls().cboDrives->setCurrentIndex(-1);
  gui_testing::WaitIdle(w);
  // SelectDrive(-1) is refused; the feature reads still go to the drive selected before.
  EXPECT_EQ(w.Model().Device()->CurrentIndex(), 0);
  EXPECT_TRUE(w.Controls().memTranslator->toPlainText().isEmpty());
}

TEST(Startup, ADriveFoundThroughAspiHasNoLetterInItsLine) {
  ModalWatcher watcher;
  Rig rig(R"({"platform": {"nt": false, "aspi": "ready"}, "drives": [{"aspi": [1, 0, 0],
      "vendor": "VEXO", "product": "DVD-RW TEST", "revision": "1.00")" +
          std::string(kWriter) + "}]}");
  ASSERT_EQ(rig.window->Controls().cboDrives->count(), 1);
  EXPECT_EQ(rig.window->Controls().cboDrives->itemText(0).toStdString(),
            " 1-0-0-0 VEXO    DVD-RW TEST      1.00");
}

TEST(Startup, CaptionAndStepTextsComeFromTheBlock) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  EXPECT_EQ(rig.window->Controls().suiForm1->Caption(), "Quill-Rate Media Check v3.1.16");
  EXPECT_EQ(rig.window->Controls().lblStep1->text(), "Select a target CD-RW/COMBO/DVD Writer");
  EXPECT_EQ(rig.window->Controls().lblStep3->text(), "The information of this media as :");
  EXPECT_TRUE(rig.window->Controls().lblStep2->text().startsWith(
      "Insert your CD-R/RW or DVD+R/+RW/-R/-RW/"));
}

TEST(Startup, BrandingMovesTheTopRow) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  app::TfrmMain& w = *rig.window;
  EXPECT_FALSE(w.Controls().imgbtnOLV->isVisibleTo(&w));
  EXPECT_TRUE(w.Controls().imgbtnVEXO->isVisibleTo(&w));
  EXPECT_EQ(w.Controls().imgbtnVEXO->geometry(), QRect(14, 26, 85, 67));
  EXPECT_EQ(w.Controls().Label1->geometry(), QRect(108, 59, 45, 13));
  // The step label sizes itself to its text, in its own font.
  EXPECT_EQ(w.Controls().lblStep1->pos(), QPoint(160, 59));
  EXPECT_EQ(
      w.Controls().lblStep1->width(),
      QFontMetrics(w.Controls().lblStep1->font()).horizontalAdvance(w.Controls().lblStep1->text()) +
          1);
  EXPECT_EQ(w.Controls().cboDrives->geometry(), QRect(108, 75, 353, 23));
  EXPECT_EQ(w.Controls().cmdShowQR->geometry(), QRect(200, 30, 103, 25));
  EXPECT_LT(w.Controls().cmdShowQR->geometry().bottom(), w.Controls().Label1->geometry().top());
  EXPECT_EQ(w.Controls().lblCopyright->text().toStdString(), app::kOemCopyright);
  EXPECT_EQ(w.Controls().lblCopyright->LinkTarget().toStdString(), app::kOemWebAddress);
  // Everything else keeps its layout place.
  EXPECT_EQ(w.Controls().cmdRefresh->geometry(), QRect(396, 111, 73, 49));
  EXPECT_EQ(w.Controls().suiPageControl1->geometry(), QRect(8, 192, 465, 209));
  EXPECT_EQ(w.Controls().memTranslator->geometry(), QRect(0, 4, 459, 173));
  EXPECT_EQ(w.Controls().suiTabSheet1->geometry(), QRect(3, 25, 459, 181));
  EXPECT_EQ(w.size(), QSize(479, 428));
  EXPECT_FALSE(w.Controls().cmdAddUserFile->isVisibleTo(&w));
  EXPECT_EQ(w.Controls().cmdAddUserFile->toolTip(),
            "You can click this button to add/remove a user-defined media  database");
}

TEST(Startup, PageControlShowsAndEnablesOnlyTheSelectedPage) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  app::TfrmMain& w = *rig.window;
  const std::vector<QWidget*> pages{w.Controls().suiTabSheet1, w.Controls().suiTabSheet2,
                                    w.Controls().suiTabSheet3};
  // Start-up shows page 0, whatever the layout's page was.
  EXPECT_EQ(w.Controls().suiPageControl1->ActivePageIndex(), 0);
  for (int selected : {2, 1, 0, 2}) {
    w.Controls().suiPageControl1->SetActivePageIndex(selected);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(pages[static_cast<size_t>(i)]->isVisibleTo(w.Controls().suiPageControl1),
                i == selected)
          << "page " << i << " after selecting " << selected;
      EXPECT_EQ(pages[static_cast<size_t>(i)]->isEnabled(), i == selected)
          << "page " << i << " after selecting " << selected;
    }
  }
  const QStringList captions{"Information", "Quillrate", "Trimwave"};
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(w.Controls().suiPageControl1->TabRect(i).isEmpty());
}

TEST(Shutdown, WidthAndHeightAreWrittenOnClose) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  rig.window.reset();
  const std::string key = "SOFTWARE\\Quillrate\\";
  const auto* width = rig.system->Registry().Find(key, "Width");
  const auto* height = rig.system->Registry().Find(key, "Height");
  ASSERT_NE(width, nullptr);
  ASSERT_NE(height, nullptr);
  EXPECT_EQ(width->data, (std::vector<uint8_t>{0xDF, 0x01, 0x00, 0x00}));   // 479
  EXPECT_EQ(height->data, (std::vector<uint8_t>{0xAC, 0x01, 0x00, 0x00}));  // 428
}

TEST(Startup, BuildModeRunsOnlyTheBuilderAndStillWritesTheSize) {
  ModalWatcher watcher;
  app::model::ProgramServices services = app::model::DefaultServices();
  bool deviceCreated = false;
  services.isBuildMode = [] { return true; };
  services.createDevice = [&](platform::System& s) {
    deviceCreated = true;
    return app::model::DefaultServices().createDevice(s);
  };
  Rig rig(testing_machines::OneDrive(), services);
  // The builder window, owned by the hidden main window, is the only window shown.
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "frmBuildQR");
  EXPECT_EQ(watcher.Seen()[0].caption, "Quill-Rate Builder");
  EXPECT_FALSE(watcher.Seen()[0].ownerVisible);
  EXPECT_FALSE(watcher.Seen()[0].splashVisible);
  EXPECT_FALSE(deviceCreated);
  EXPECT_TRUE(rig.window->TerminateRequested());
  EXPECT_TRUE(rig.system->Log().empty());
  // Branding ran before the build-mode test.
  EXPECT_FALSE(rig.window->Controls().imgbtnOLV->isVisibleTo(rig.window.get()));
  rig.window.reset();
  EXPECT_NE(rig.system->Registry().Find("SOFTWARE\\Quillrate\\", "Width"), nullptr);
  EXPECT_NE(rig.system->Registry().Find("SOFTWARE\\Quillrate\\", "Height"), nullptr);
}

TEST(Startup, ADeviceThatCannotBeCreatedShowsTheMessageAndEnds) {
  for (bool throws : {true, false}) {
    ModalWatcher watcher;
    app::model::ProgramServices services = app::model::DefaultServices();
    services.createDevice = [throws](platform::System&) -> std::unique_ptr<device::AtapiDevice> {
      if (throws) throw std::bad_alloc();
      return nullptr;
    };
    Rig rig(testing_machines::OneDrive(), services);
    ASSERT_EQ(watcher.Seen().size(), 1u);
    EXPECT_EQ(watcher.Seen()[0].text, "Unable to create Device Object !");
    EXPECT_EQ(watcher.Seen()[0].caption, "Error ...");
    EXPECT_EQ(watcher.Seen()[0].icon, Icon::Error);
    EXPECT_FALSE(watcher.Seen()[0].splashVisible);
    EXPECT_TRUE(rig.window->TerminateRequested());
    EXPECT_EQ(rig.window->Model().Device(), nullptr);
  }
}

TEST(Startup, AnErrorWhileTheUserFileLoadsStillClosesTheSplash) {
  ModalWatcher watcher;
  app::model::ProgramServices services = app::model::DefaultServices();
  services.loadUserMediaFile = [](platform::System&, custom::UserMediaRows&) {
    throw std::runtime_error("bad line in the user-defined media file");
  };
  Rig rig(testing_machines::OneDrive(), services);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, "bad line in the user-defined media file");
  EXPECT_FALSE(watcher.Seen()[0].splashVisible);
  EXPECT_EQ(rig.window->findChild<QWidget*>("frmSplash"), nullptr);
  EXPECT_FALSE(rig.window->TerminateRequested());
}

TEST(Startup, TheSplashIsUpWhileTheDrivesAreFound) {
  ModalWatcher watcher;
  app::model::ProgramServices services = app::model::DefaultServices();
  bool splashShown = false;
  services.createDevice = [&](platform::System& s) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == "frmSplash" && w->isVisible()) splashShown = true;
    }
    return app::model::DefaultServices().createDevice(s);
  };
  Rig rig(testing_machines::OneDrive(), services);
  EXPECT_TRUE(splashShown);
  EXPECT_EQ(rig.window->findChild<QWidget*>("frmSplash"), nullptr);
}

// Writes a machine fixture into `dir`; its path, or nothing when it cannot be written.
QString WriteFixture(const QTemporaryDir& dir, const char* name, const char* json) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(json) < 0) return {};
  return path;
}

TEST(Program, EndsWithStatusZeroAfterTheNoDriveMessage) {
  QTemporaryDir dir;
  const QString path =
      WriteFixture(dir, "empty.json", R"({"platform": {"nt": true}, "drives": []})");
  ASSERT_FALSE(path.isEmpty());
  ModalWatcher watcher;
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  EXPECT_EQ(app::RunQuillrate(*application, {"quillrate", "--simulate=" + path},
                              app::model::DefaultServices()),
            0);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, app::model::NoDriveMessage().text);
  EXPECT_EQ(QCoreApplication::applicationName(), "Quillrate");
}

TEST(Program, TheDeviceLayersOwnMessagesAppearAsMessageBoxesInFront) {
  // Windows 9x with an old ASPI manager: loading it fails with the device layer's message,
  // shown from the device thread while the splash window is up; no drive can then be found.
  QTemporaryDir dir;
  const QString path =
      WriteFixture(dir, "old_aspi.json",
                   R"({"platform": {"nt": false, "aspi": "0xE1"}, "drives": [{"aspi": [0, 0, 0],
      "vendor": "VEXO", "product": "DVD-RW TEST", "revision": "1.00"}]})");
  ASSERT_FALSE(path.isEmpty());
  ModalWatcher watcher;
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  EXPECT_EQ(app::RunQuillrate(*application, {"quillrate", "--simulate=" + path},
                              app::model::DefaultServices()),
            0);
  ASSERT_GE(watcher.Seen().size(), 2u);
  EXPECT_EQ(watcher.Seen()[0].name, "suiMsgBox");
  EXPECT_EQ(watcher.Seen()[0].text, "Old ASPI manager.");
  EXPECT_EQ(watcher.Seen()[0].caption, "GetASPISupportInfo:");
  EXPECT_EQ(watcher.Seen()[0].icon, Icon::Error);
  EXPECT_FALSE(watcher.Seen()[0].splashVisible);
  EXPECT_EQ(watcher.Seen().back().text, app::model::NoDriveMessage().text);
}

TEST(Program, AFixtureThatCannotBeLoadedIsReported) {
  ModalWatcher watcher;
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  EXPECT_EQ(
      app::RunQuillrate(*application, {"quillrate", "--simulate", "/nonexistent/machine.json"},
                        app::model::DefaultServices()),
      3);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, "Error ...");
  EXPECT_NE(watcher.Seen()[0].text.find("/nonexistent/machine.json"), std::string::npos)
      << watcher.Seen()[0].text;
}

// The window program takes no arguments of its own: unknown ones never stop it from
// starting, and it runs as it would without them.
TEST(Program, UnknownArgumentsAreIgnored) {
  QTemporaryDir dir;
  const QString path =
      WriteFixture(dir, "empty.json", R"({"platform": {"nt": true}, "drives": []})");
  ASSERT_FALSE(path.isEmpty());
  ModalWatcher watcher;
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  EXPECT_EQ(app::RunQuillrate(*application,
                              {"quillrate", "--bogus", "--simulate=" + path, "/some/file.iso"},
                              app::model::DefaultServices()),
            0);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].text, app::model::NoDriveMessage().text);
}

}  // namespace
