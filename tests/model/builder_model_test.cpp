// The builder window's Build click, as both views run it: every outcome shows its one message
// (or none when the folder question is cancelled), Build is disabled for the build and
// enabled again after it, and the edition never lands beside the program itself.
#include "app/model/builder_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using app::model::BuilderModel;
using app::model::MessageIcon;
using app::model::WindowMessage;

// A view that answers with its field and its folder choice and records what it is told.
class RecordingView : public app::model::BuilderView {
 public:
  std::string field;
  std::string folderAnswer;  // empty: the user cancels
  int foldersAsked = 0;
  std::vector<bool> buildEnabled;
  std::vector<WindowMessage> messages;

  std::string FileFieldText() override { return field; }
  void EnableBuild(bool enabled) override { buildEnabled.push_back(enabled); }
  std::string ChooseOutputFolder() override {
    ++foldersAsked;
    return folderAnswer;
  }
  void ShowMessage(const WindowMessage& message) override { messages.push_back(message); }
};

class BuilderModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("builder-model-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "out");
    fs::create_directories(dir_ / "installed");
    fs::create_directories(dir_ / "chosen");
    std::ofstream(dir_ / "edition.properties") << "[PROPERTY]\nname=Test\n";
    std::ofstream(dir_ / "bad.properties") << "[DVD]\nZZ4243444546474830303100=Bad\n";
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  bool Written(const char* folder) const { return fs::exists(dir_ / folder / "Quillrate.exe"); }

  fs::path dir_;
};

TEST_F(BuilderModelTest, EveryOutcomeShowsItsOneMessageAndEnablesBuildAgain) {
  const struct {
    const char* name;
    std::string field;
    bool installed;            // the output folder is the program's own
    const char* folderAnswer;  // the folder question's answer, a name under the test's folder
    int foldersAsked;
    std::optional<WindowMessage> message;  // none when nothing was built
    const char* writtenIn;                 // the folder that holds the edition, or none
  } cases[] = {
      {"a blank field", "   ", false, "", 0,
       WindowMessage{"No file selected !", "Error", MessageIcon::Error}, nullptr},
      {"a file that does not exist", Path("missing"), false, "", 0,
       WindowMessage{"File not exists !", "Error", MessageIcon::Error}, nullptr},
      {"a row that stops the build", Path("bad.properties"), false, "", 0,
       WindowMessage{"'0xZZ' is not a valid integer value", "Error", MessageIcon::Error}, nullptr},
      {"a good file", Path("edition.properties"), false, "", 0,
       WindowMessage{"File created successfully !", "Information", MessageIcon::Information},
       "out"},
      {"beside the program, a folder chosen", Path("edition.properties"), true, "chosen", 1,
       WindowMessage{"File created successfully !", "Information", MessageIcon::Information},
       "chosen"},
      {"beside the program, the question cancelled", Path("edition.properties"), true, "", 1,
       std::nullopt, nullptr},
      // A blank field needs no folder: the question is not asked.
      {"beside the program, a blank field", "", true, "chosen", 0,
       WindowMessage{"No file selected !", "Error", MessageIcon::Error}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* folder : {"out", "installed", "chosen"})
      fs::remove(dir_ / folder / "Quillrate.exe");
    BuilderModel builder;
    builder.outputDir = Path(c.installed ? "installed" : "out");
    builder.programFile = Path("installed") + "/quillrate";
    RecordingView view;
    view.field = c.field;
    view.folderAnswer = *c.folderAnswer != 0 ? Path(c.folderAnswer) : "";
    builder.cmdBuildClick(view);
    EXPECT_EQ(view.foldersAsked, c.foldersAsked);
    EXPECT_EQ(view.buildEnabled, (std::vector<bool>{false, true}));
    if (c.message) {
      ASSERT_EQ(view.messages.size(), 1u);
      EXPECT_EQ(view.messages[0], *c.message);
    } else {
      EXPECT_TRUE(view.messages.empty());
    }
    EXPECT_FALSE(Written("installed")) << "the edition went beside the program";
    for (const char* folder : {"out", "chosen"}) {
      const bool expected = c.writtenIn != nullptr && std::string(c.writtenIn) == folder;
      EXPECT_EQ(Written(folder), expected) << folder;
    }
  }
}

TEST_F(BuilderModelTest, TheChosenFolderServesTheNextBuildsWithoutAskingAgain) {
  BuilderModel builder;
  builder.outputDir = Path("installed");
  builder.programFile = Path("installed") + "/quillrate";
  RecordingView view;
  view.field = Path("edition.properties");
  view.folderAnswer = Path("chosen");
  builder.cmdBuildClick(view);
  fs::remove(dir_ / "chosen" / "Quillrate.exe");
  builder.cmdBuildClick(view);
  EXPECT_EQ(view.foldersAsked, 1);
  EXPECT_EQ(builder.outputDir, Path("chosen"));
  EXPECT_TRUE(Written("chosen"));
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].text, "File created successfully !");
}

TEST(BuildMessage, AStopOutcomeIsAnErrorBoxAndEveryOtherAnInformationBox) {
  custom::BuildOutcome stop =
      custom::BuildError(custom::BuildStatus::LoadPrototypeFailed, "Load prototype failed !");
  EXPECT_EQ(app::model::BuildMessage(stop).icon, MessageIcon::Error);
  EXPECT_EQ(app::model::BuildMessage(stop).text, "Load prototype failed !");
  custom::BuildOutcome created;
  created.caption = "Information";
  created.text = "File created successfully !";
  EXPECT_EQ(
      app::model::BuildMessage(created),
      (WindowMessage{"File created successfully !", "Information", MessageIcon::Information}));
}

}  // namespace
