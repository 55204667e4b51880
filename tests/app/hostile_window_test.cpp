// What a new user saw go wrong in the windows: step texts cut short, report lines split by
// bytes a drive sent, mangled UTF-8, a message box wider than the screen, a main window that
// came too late, a start slowed by a dialog nobody opened, a path that could not be kept.
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include "app/model/main_window_places.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_widgets.h"
#include "gui_test_support.h"
#include "settings/os_info.h"

namespace {

using gui_testing::ModalWatcher;
using gui_testing::Rig;

app::model::ProgramServices WithEdition(const app::model::EditionTexts& edition) {
  app::model::ProgramServices services = app::model::DefaultServices();
  services.edition = [edition] { return edition; };
  return services;
}

TEST(HostileWindow, StepLabelsTakeTheWidthTheirTextNeeds) {
  // A 63-character step text, as an edition may have it.
  const std::string step3 = "The information that the program found about the disc you put in";
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(),
          WithEdition({"Wide", "1", "0", "0", "Choose a writer", "Insert a disc", step3}));
  const QLabel& label = *rig.window->Controls().lblStep3;
  EXPECT_EQ(label.text().toStdString(), step3);
  EXPECT_GE(label.width(), QFontMetrics(label.font()).horizontalAdvance(label.text()));
  EXPECT_EQ(label.pos(), QPoint(64, 171));
  // A short text keeps the layout's font.
  EXPECT_EQ(rig.window->Controls().lblStep1->font(), skin::SkinFont({"Verdana", 11}))
      << "the font was squeezed";
}

// The longest step texts an edition carries (63, 255 and 63 characters, in wide letters and
// in words too long to wrap well) stay inside the window: shown whole, in narrower characters
// where they must, or cut with an ellipsis, never cut silently.
TEST(HostileWindow, TheLongestStepTextsStayInsideTheWindow) {
  const std::string ellipsis = "\xE2\x80\xA6";
  const auto repeat = [](const std::string& word, size_t length) {
    std::string text;
    while (text.size() + word.size() <= length) text += word;
    return text + std::string(length - text.size(), 'W');
  };
  const struct {
    const char* name;
    std::string step1, step2, step3;
  } cases[] = {
      {"wide capitals", std::string(63, 'W'), repeat("WWWWWWW MMMMMMMM ", 255),
       std::string(63, 'M')},
      {"words", repeat("Select the writer ", 63), repeat("Insert your recordable disc ", 255),
       repeat("The information ", 63)},
  };
  for (const auto& c : cases) {
    ModalWatcher watcher;
    Rig rig(testing_machines::OneDrive(),
            WithEdition({"Long", "1", "0", "0", c.step1, c.step2, c.step3}));
    const auto& controls = rig.window->Controls();
    const std::pair<const QLabel*, const std::string*> labels[] = {{controls.lblStep1, &c.step1},
                                                                   {controls.lblStep2, &c.step2},
                                                                   {controls.lblStep3, &c.step3}};
    for (const auto& [label, given] : labels) {
      const std::string shown = label->text().toStdString();
      const std::string what = std::string(c.name) + ", " + label->objectName().toStdString();
      if (shown != *given) {
        ASSERT_GT(shown.size(), ellipsis.size()) << what;
        EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis)
            << what << ": cut silently";
        const std::string kept = shown.substr(0, shown.size() - ellipsis.size());
        EXPECT_EQ(given->substr(0, kept.size()), kept) << what;
      }
      EXPECT_LE(label->geometry().right(), app::model::kStepTextRight) << what << ": past the edge";
      const QRect needed = QFontMetrics(label->font())
                               .boundingRect(QRect(0, 0, label->width(), 10000),
                                             Qt::TextWordWrap | Qt::AlignLeft, label->text());
      EXPECT_LE(needed.width(), label->width()) << what;
      EXPECT_LE(needed.height(), label->height()) << what << ": lines beyond the box";
    }
  }
}

TEST(HostileWindow, OneReportLineIsOneMemoLineWhateverTheDriveSent) {
  ModalWatcher watcher;
  Rig rig(R"({"drives": [{"root": "E:\\", "address": {"port": 1, "target": 0}, "vendor": "VEXO",
      "product": "BD", "reads": ["cd-r", "dvd-rom"], "writes": ["cd-r", "dvd-r"],
      "profiles": ["0x0008", "0x0010", "0x0040", "0x0041", "0x0043"],
      "disc": {"type": "bd-r", "bd_mid": "hex:41 0A 42 0D 44 45"}}]})");
  app::TfrmMain& w = *rig.window;
  QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
  w.Controls().cmdRefresh->click();
  ASSERT_TRUE(finished.wait(10000));
  const QStringList lines = w.Controls().memTranslator->Lines();
  ASSERT_EQ(static_cast<size_t>(lines.size()), w.ReportLines().size());
  EXPECT_TRUE(lines.filter(QString::fromUtf8("(A\u240AB\u240DDE)")).size() == 1)
      << lines.join("|").toStdString();
}

TEST(HostileWindow, EditionTextsShowTheirCharactersInEitherEncoding) {
  for (const std::string& name : {std::string("Disque \xC3\x89"
                                              "diteur"),  // UTF-8
                                  std::string("Disque \xC9"
                                              "diteur")}) {  // Windows-1252
    ModalWatcher watcher;
    Rig rig(testing_machines::OneDrive(), WithEdition({name, "1", "2", "3", "s1", "s2", "s3"}));
    EXPECT_EQ(rig.window->Controls().suiForm1->Caption(),
              QString::fromUtf8("Disque \u00C9diteur v1.2.3"));
  }
}

TEST(HostileWindow, AMessageBoxFitsTheScreenWhateverItsText) {
  const int screenWidth = QGuiApplication::primaryScreen()->availableGeometry().width();
  const std::string path = "/home/user/" + std::string(180, 'x') + "/machine.json";
  const struct {
    const char* name;
    QString text;
    bool wraps;
  } cases[] = {
      {"short", "No drive detected !", false},
      {"a long path without blanks",
       QString::fromStdString(path +
                              ": not valid JSON at line 3, column 16: syntax error while "
                              "parsing object key - unexpected '}'; expected string literal"),
       true},
  };
  for (const auto& c : cases) {
    skin::SkinMessageBox box;
    box.SetText(c.text);
    EXPECT_EQ(box.Text(), c.text) << c.name;
    EXPECT_LE(box.width(), std::min(screenWidth, 640)) << c.name;
    const int oneLine = QFontMetrics(skin::SkinFont({"Verdana", 11})).height();
    auto* label = box.findChild<QLabel*>("text");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->height() > 2 * oneLine, c.wraps) << c.name;
    EXPECT_LE(label->geometry().right(), box.width()) << c.name;
  }
}

TEST(HostileWindow, TheMainWindowShowsWhileTheSplashIsStillUp) {
  bool mainVisible = false;
  bool splashVisible = false;
  app::model::ProgramServices services = app::model::DefaultServices();
  // The user media file is loaded after the start-up's maximise step, before the splash goes.
  services.loadUserMediaFile = [&](platform::System&, custom::UserMediaRows&) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == "frmMain") mainVisible = widget->isVisible();
      if (widget->objectName() == "frmSplash" && widget->isVisible()) splashVisible = true;
    }
  };
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive(), services);
  EXPECT_TRUE(mainVisible);
  EXPECT_TRUE(splashVisible);
}

TEST(HostileWindow, NoFileDialogIsMadeUntilTheButtonNeedsOne) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  EXPECT_EQ(rig.window->findChild<QFileDialog*>(), nullptr);
}

TEST(HostileWindow, AUserFilePathTooLongForTheSettingIsRefusedWithItsReason) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  const std::string path = "/" + std::string(300, 'p');
  rig.window->UserFileChosen(path);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].caption, "Error ...");
  EXPECT_EQ(watcher.Seen()[0].text,
            "The path of the user-defined file is too long to be kept (301 bytes; at most 255):\n" +
                path);
  std::array<char, 256> value{};
  EXPECT_FALSE(settings::OSInfo::ReadRegString(*rig.system, settings::kProgramKey,
                                               "UserDefinedFule", value));
}

}  // namespace
