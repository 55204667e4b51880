// The builder window: its controls, and a build's messages with Build enabled again after
// every outcome.
#include <QLineEdit>
#include <cstdio>
#include <fstream>

#include "app/qt/frm_build_qr.h"
#include "app/qt/skin/skin_buttons.h"
#include "gui_test_support.h"

namespace {

using gui_testing::ModalWatcher;

TEST(BuilderWindow, ControlsAsLaidOut) {
  app::TfrmBuildQR form;
  EXPECT_EQ(form.size(), QSize(454, 123));
  EXPECT_EQ(form.suiForm1->Caption(), "Quill-Rate Builder");
  EXPECT_EQ(form.Label1->text(), "Please select parameter file :");
  EXPECT_EQ(form.txtFile->geometry(), QRect(8, 56, 361, 21));
  EXPECT_EQ(form.cmdBrowse->text(), "Browse");
  EXPECT_EQ(form.cmdBuild->geometry(), QRect(300, 92, 69, 21));
  EXPECT_EQ(form.cmdClose->text(), "Close");
  EXPECT_EQ(form.txtFile->text(), "");
}

TEST(BuilderWindow, EveryOutcomeShowsItsMessageAndEnablesBuildAgain) {
  const std::string dir = ::testing::TempDir() + "builder-window-" + std::to_string(::getpid());
  std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "/out'").c_str());
  const std::string good = dir + "/edition.properties";
  std::ofstream(good) << "[PROPERTY]\nname=Test\n";
  const std::string bad = dir + "/bad.properties";
  std::ofstream(bad) << "[DVD]\nZZ4243444546474830303100=Bad\n";
  struct Case {
    std::string path;
    const char* caption;
    std::string text;
    bool written;
  };
  for (const Case& c : {Case{"   ", "Error", "No file selected !", false},
                        Case{dir + "/missing", "Error", "File not exists !", false},
                        Case{bad, "Error", "'0xZZ' is not a valid integer value", false},
                        Case{good, "Information", "File created successfully !", true}}) {
    std::remove((dir + "/out/Quillrate.exe").c_str());
    app::TfrmBuildQR form;
    form.builder.outputDir = dir + "/out";
    form.txtFile->setText(QString::fromStdString(c.path));
    ModalWatcher watcher;
    form.cmdBuildClick();
    ASSERT_EQ(watcher.Seen().size(), 1u) << c.text;
    EXPECT_EQ(watcher.Seen()[0].caption, c.caption);
    EXPECT_EQ(watcher.Seen()[0].text, c.text);
    EXPECT_TRUE(form.cmdBuild->isEnabled());
    std::ifstream written(dir + "/out/Quillrate.exe");
    EXPECT_EQ(written.good(), c.written) << c.text;
  }
  std::system(("rm -rf '" + dir + "'").c_str());
}

// An installed copy started in its own folder (Program Files) asks where the edition goes
// and never writes beside itself; the answer stays for the window's next builds.
TEST(BuilderWindow, BuildingFromTheProgramsOwnFolderAsksForTheFolder) {
  const std::string dir = ::testing::TempDir() + "builder-folder-" + std::to_string(::getpid());
  std::system(
      ("rm -rf '" + dir + "' && mkdir -p '" + dir + "/installed' '" + dir + "/chosen'").c_str());
  const std::string good = dir + "/edition.properties";
  std::ofstream(good) << "[PROPERTY]\nname=Test\n";
  struct Case {
    const char* name;
    std::string answer;  // the chooser's answer; empty: cancelled
    const char* text;    // the message, none when nothing was built
    bool writtenInChosen;
  };
  for (const Case& c :
       {Case{"a folder chosen", dir + "/chosen", "File created successfully !", true},
        Case{"the chooser cancelled", "", nullptr, false},
        Case{"a folder that is gone", dir + "/gone", "Output folder does not exist !", false}}) {
    SCOPED_TRACE(c.name);
    std::remove((dir + "/chosen/Quillrate.exe").c_str());
    app::TfrmBuildQR form;
    form.builder.programFile = dir + "/installed/quillrate";
    form.builder.outputDir = dir + "/installed";
    int asked = 0;
    form.chooseOutputDir = [&](QWidget*) {
      ++asked;
      return c.answer;
    };
    form.txtFile->setText(QString::fromStdString(good));
    ModalWatcher watcher;
    form.cmdBuildClick();
    EXPECT_EQ(asked, 1);
    if (c.text == nullptr) {
      EXPECT_TRUE(watcher.Seen().empty());
    } else {
      ASSERT_EQ(watcher.Seen().size(), 1u);
      EXPECT_EQ(watcher.Seen()[0].text.substr(0, std::string(c.text).size()), c.text);
    }
    EXPECT_TRUE(form.cmdBuild->isEnabled());
    EXPECT_FALSE(std::ifstream(dir + "/installed/Quillrate.exe").good())
        << "the edition went into the program's own folder";
    EXPECT_EQ(std::ifstream(dir + "/chosen/Quillrate.exe").good(), c.writtenInChosen);
    if (c.writtenInChosen) {
      // The next build goes to the same folder without asking.
      form.cmdBuildClick();
      EXPECT_EQ(asked, 1);
    }
  }
  // Any other folder is written into as it stands, without a question.
  app::TfrmBuildQR form;
  form.builder.programFile = dir + "/installed/quillrate";
  form.builder.outputDir = dir + "/chosen";
  form.chooseOutputDir = [](QWidget*) -> std::string {
    ADD_FAILURE() << "asked for a folder";
    return {};
  };
  form.txtFile->setText(QString::fromStdString(good));
  ModalWatcher watcher;
  form.cmdBuildClick();
  EXPECT_TRUE(std::ifstream(dir + "/chosen/Quillrate.exe").good());
  std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
