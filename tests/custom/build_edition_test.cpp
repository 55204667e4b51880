#include "custom/build_edition.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "builder_fixtures.h"
#include "cli/cli_app.h"
#include "custom/block_locator.h"
#include "custom/find_block.h"
#include "custom/property_file.h"
#include "custom/prototype_file.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using custom::BuildStatus;
using custom::MessageIcon;
using custom_test::ShippedBlock;

constexpr size_t kBefore = 1000;
constexpr size_t kAfter = 300;

using custom_test::ReadBytes;
using custom_test::WriteBytes;

// Every name in `dir`, so a test sees both a missing edition and a leftover temporary file.
std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

class BuildEditionTest : public testing::Test {
 public:
  BuildEditionTest() {
    prototype_ = fs::path(dir_.Path()) / "prototype";
    out_ = fs::path(dir_.Path()) / "out";
    fs::create_directory(out_);
    image_ = custom_test::PrototypeImage(*ShippedBlock('1'), kBefore, kAfter);
    WriteBytes(prototype_, image_);
  }

  custom::BuildOutcome Build(const std::string& properties) {
    return custom::BuildEdition({properties, prototype_.string(), out_.string()});
  }
  std::string Properties(const std::string& text) { return dir_.Write("edition.txt", text); }
  fs::path Edition() const { return out_ / "Quillrate.exe"; }

  custom_test::TempDir dir_;
  fs::path prototype_;
  fs::path out_;
  std::vector<uint8_t> image_;
};

TEST_F(BuildEditionTest, WritesACopyThatDiffersOnlyInTheBlock) {
  const auto outcome = Build(Properties("[PROPERTY]\nname=Test\n"));
  EXPECT_EQ(outcome.status, BuildStatus::Created);
  EXPECT_EQ(outcome.caption, "Information");
  EXPECT_EQ(outcome.icon, MessageIcon::Information);
  EXPECT_EQ(outcome.text, "File created successfully !");
  EXPECT_EQ(outcome.outputPath, Edition().string());
  const auto edition = ReadBytes(Edition());
  ASSERT_EQ(edition.size(), image_.size());
  std::vector<size_t> differences;
  for (size_t i = 0; i < edition.size(); ++i) {
    if (edition[i] != image_[i]) differences.push_back(i - kBefore);
  }
  // The flag byte, then "Test" over "Quill-Rate Media Check" and the rest of that text zeroed.
  std::vector<size_t> expected{custom::kBuildModeFlagOffset};
  const std::string shipped = "Quill-Rate Media Check";
  for (size_t i = 0; i < shipped.size(); ++i) {
    if (i >= 4 || "Test"[i] != shipped[i]) expected.push_back(26 + i);
  }
  EXPECT_EQ(differences, expected);
  EXPECT_EQ(edition[kBefore + custom::kBuildModeFlagOffset], '0');
  struct stat info {};
  ASSERT_EQ(::stat(Edition().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0755u);
  EXPECT_EQ(Names(out_), (std::set<std::string>{"Quillrate.exe"}));
}

// A path is a file's name as given (blanks are legal in names); only the builder window's
// text field drops the blanks around what was typed.
TEST_F(BuildEditionTest, APathIsUsedAsGivenAndOnlyTheWindowFieldIsTrimmed) {
  const std::string trimmed = dir_.Write("edition.txt", "[PROPERTY]\nname=Trimmed\n");
  const std::string spaced = dir_.Write("edition.txt ", "[PROPERTY]\nname=Spaced\n");
  const auto holds = [&](const std::string& name) {
    const auto edition = ReadBytes(Edition());
    return std::search(edition.begin(), edition.end(), name.begin(), name.end()) != edition.end();
  };
  ASSERT_EQ(Build(spaced).status, BuildStatus::Created);
  EXPECT_TRUE(holds("Spaced"));
  EXPECT_FALSE(holds("Trimmed"));
  ASSERT_EQ(Build(custom::PropertyPathFromField(" " + spaced + "\t")).status, BuildStatus::Created);
  EXPECT_TRUE(holds("Trimmed"));
  EXPECT_EQ(trimmed + " ", spaced);
}

TEST_F(BuildEditionTest, TwoBuildsGiveTheSameFileAndReplaceTheEarlierOne) {
  WriteBytes(Edition(), std::vector<uint8_t>(5, 'x'));
  const std::string properties = Properties("[PROPERTY]\nNAME=Twice\n[CD]\n972500_795974=X\n");
  ASSERT_TRUE(Build(properties).Succeeded());
  const auto first = ReadBytes(Edition());
  ASSERT_TRUE(Build(properties).Succeeded());
  EXPECT_EQ(ReadBytes(Edition()), first);
  EXPECT_EQ(first.size(), image_.size());
}

TEST_F(BuildEditionTest, ASecondBuildKeepsNothingOfTheFirst) {
  ASSERT_TRUE(Build(Properties("[PROPERTY]\nNAME=First\n[CD]\n972500_795974=X\n")).Succeeded());
  ASSERT_TRUE(Build(Properties("")).Succeeded());
  auto expected = image_;
  expected[kBefore + custom::kBuildModeFlagOffset] = '0';
  EXPECT_EQ(ReadBytes(Edition()), expected);
}

struct FailureCase {
  std::string what;
  std::function<std::string(BuildEditionTest&)> arrange;  // returns the property path
  BuildStatus status;
  std::string text;  // the message, or its first line
};

TEST_F(BuildEditionTest, FailuresWriteNothingAndSayWhy) {
  const std::vector<FailureCase> cases = {
      {"no path", [](auto&) { return std::string(); }, BuildStatus::NoFileSelected,
       "No file selected !"},
      {"only blanks in the window's field",
       [](auto&) { return custom::PropertyPathFromField(" \t "); }, BuildStatus::NoFileSelected,
       "No file selected !"},
      {"no such file", [](auto& t) { return t.dir_.Path() + "/missing.txt"; },
       BuildStatus::FileNotExists, "File not exists !"},
      {"a folder", [](auto& t) { return t.dir_.Path(); }, BuildStatus::FileNotExists,
       "File not exists !"},
      {"a file that cannot be read", [](auto&) { return std::string("/proc/self/mem"); },
       BuildStatus::PropertyFileUnreadable, "Property file cannot be read !"},
      {"no prototype",
       [](auto& t) {
         fs::remove(t.prototype_);
         return t.Properties("");
       },
       BuildStatus::LoadPrototypeFailed, "Load prototype failed !"},
      {"a prototype without the marker",
       [](auto& t) {
         WriteBytes(t.prototype_, std::vector<uint8_t>(100000, 'x'));
         return t.Properties("");
       },
       BuildStatus::NoBlock, "Customization block not found in prototype !"},
      {"a prototype cut inside its block",
       [](auto& t) {
         t.image_.resize(kBefore + 500);
         WriteBytes(t.prototype_, t.image_);
         return t.Properties("");
       },
       BuildStatus::NoBlock, "Customization block incomplete in prototype !"},
      {"a bad hex pair",
       [](auto& t) {
         return t.Properties("[PROPERTY]\nNAME=X\n[DVD]\nX14F52544857494E44303100=A\n");
       },
       BuildStatus::BadHexPair, "'0xX1' is not a valid integer value"},
      {"an output folder that does not exist",
       [](auto& t) {
         fs::remove(t.out_);
         return t.Properties("");
       },
       BuildStatus::SaveFailed, "Output folder does not exist !"},
      {"a folder named Quillrate.exe",
       [](auto& t) {
         fs::create_directory(t.Edition());
         return t.Properties("");
       },
       BuildStatus::SaveFailed, "Output file name is taken by a folder !"},
      {"the prototype is the output",
       [](auto& t) {
         fs::rename(t.prototype_, t.Edition());
         t.prototype_ = t.Edition();
         return t.Properties("[PROPERTY]\nNAME=X\n");
       },
       BuildStatus::SaveFailed, "Output file is the prototype itself, not replaced !"},
  };
  for (const FailureCase& c : cases) {
    BuildEditionTest& t = *this;
    fs::remove_all(out_);
    fs::create_directory(out_);
    prototype_ = fs::path(dir_.Path()) / "prototype";
    image_ = custom_test::PrototypeImage(*ShippedBlock('1'), kBefore, kAfter);
    WriteBytes(prototype_, image_);
    const std::string path = c.arrange(t);
    const auto before = fs::exists(out_) ? Names(out_) : std::set<std::string>{};
    const auto editionBefore = ReadBytes(Edition());

    const auto outcome = Build(path);
    EXPECT_EQ(outcome.status, c.status) << c.what;
    EXPECT_EQ(outcome.caption, "Error") << c.what;
    EXPECT_EQ(outcome.icon, MessageIcon::Stop) << c.what;
    EXPECT_EQ(outcome.text.substr(0, outcome.text.find('\n')), c.text) << c.what;
    EXPECT_TRUE(outcome.outputPath.empty()) << c.what;
    if (fs::exists(out_)) {
      EXPECT_EQ(Names(out_), before) << c.what;
    }
    EXPECT_EQ(ReadBytes(Edition()), editionBefore) << c.what;
  }
}

TEST_F(BuildEditionTest, ABadHexPairLeavesAnEarlierEditionAsItWas) {
  ASSERT_TRUE(Build(Properties("[PROPERTY]\nNAME=Good\n")).Succeeded());
  const auto good = ReadBytes(Edition());
  EXPECT_EQ(Build(Properties("[PROPERTY]\nNAME=Bad\n[DVD]\n4E4F52544857494E4430310G=X\n")).status,
            BuildStatus::BadHexPair);
  EXPECT_EQ(ReadBytes(Edition()), good);
}

TEST_F(BuildEditionTest, AFolderThatTakesNoNewFilesGivesAnError) {
  const auto outcome = custom::BuildEdition({Properties(""), prototype_.string(), "/proc"});
  EXPECT_EQ(outcome.status, BuildStatus::SaveFailed);
  EXPECT_EQ(outcome.text,
            "Output folder is not writable !\n/proc/Quillrate.exe: cannot create a "
            "file in its folder: No such file or directory");
}

struct SearchCase {
  std::string what;
  std::vector<uint8_t> image;
  custom::BlockSearchStatus status;
  size_t offset;
};

TEST(FindBlock, FirstHitOnlyAndNeverPastTheEnd) {
  using custom::BlockSearchStatus;
  const auto block = custom_test::BytesOf(*ShippedBlock());
  const std::string tail = custom::MarkerSearchText();
  auto withTail = [&](size_t at, size_t size, const std::string& text) {
    std::vector<uint8_t> image(size, 'x');
    std::copy(text.begin(), text.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
    return image;
  };
  auto lower = tail;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::vector<uint8_t> twice = custom_test::PrototypeImage(*ShippedBlock(), 10, 0);
  twice.insert(twice.end(), block.begin(), block.end());
  const size_t exact = sizeof(custom::CustomizationBlock);
  const std::vector<SearchCase> cases = {
      {"empty", {}, BlockSearchStatus::NoMarker, 0},
      {"no marker", std::vector<uint8_t>(70000, 'x'), BlockSearchStatus::NoMarker, 0},
      {"the tail less its last character at the end",
       withTail(70000 - tail.size() + 1, 70000, tail.substr(0, tail.size() - 1)),
       BlockSearchStatus::NoMarker, 0},
      {"the marker at the very end", withTail(70000 - tail.size(), 70000, tail),
       BlockSearchStatus::Truncated, 0},
      {"a block one byte short", withTail(2, exact - 1, tail), BlockSearchStatus::Truncated, 0},
      {"a block that just fits", withTail(2, exact, tail), BlockSearchStatus::Found, 0},
      {"a hit too close to the start", withTail(1, 70000, tail), BlockSearchStatus::Truncated, 0},
      {"letter case ignored", withTail(102, 70000, lower), BlockSearchStatus::Found, 100},
      {"several hits: the first", twice, BlockSearchStatus::Found, 10},
      // Only the first hit counts, even when a later one would hold a whole block.
      {"a first hit too close to the start hides a good one",
       [&] {
         auto image = withTail(102, 70000, tail);
         std::copy(tail.begin(), tail.end(), image.begin());
         return image;
       }(),
       BlockSearchStatus::Truncated, 0},
  };
  for (const SearchCase& c : cases) {
    const auto found = custom::FindBlock(c.image);
    EXPECT_EQ(found.status, c.status) << c.what;
    EXPECT_EQ(found.offset, c.offset) << c.what;
  }
}

// The builder asks for the folder only when it would write beside the program itself.
TEST(OutputDirNeedsChoice, OnlyTheProgramsOwnFolderIsAskedAbout) {
  custom_test::TempDir dir;
  fs::create_directories(dir.Path() + "/installed");
  fs::create_directories(dir.Path() + "/elsewhere");
  const std::string program = dir.Write("installed/quillrate", "exe");
  struct Case {
    const char* name;
    std::string outputDir;
    std::string program;
    bool asks;
  };
  for (const Case& c : {
           Case{"the program's folder", dir.Path() + "/installed", program, true},
           Case{"the program's folder, written otherwise", dir.Path() + "/elsewhere/../installed/",
                program, true},
           Case{"another folder", dir.Path() + "/elsewhere", program, false},
           Case{"a folder above it", dir.Path(), program, false},
           Case{"a folder that is gone", dir.Path() + "/gone", program, false},
           Case{"no program file known", dir.Path() + "/installed", "", false},
           Case{"no folder given", "", program, false},
           Case{"a program at the root", "/", "/quillrate", true},
       }) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(custom::OutputDirNeedsChoice(c.outputDir, c.program), c.asks);
  }
}

TEST(LoadPrototype, ReadsWholeRegularFilesOnly) {
  custom_test::TempDir dir;
  const auto file = dir.Write("exe", std::string("a\0b\r\nc", 6));
  EXPECT_EQ(custom::LoadPrototype(file).bytes,
            (std::vector<uint8_t>{'a', 0, 'b', '\r', '\n', 'c'}));
  EXPECT_EQ(custom::LoadPrototype(dir.Path()).problem.reason, "a folder, not a file");
  EXPECT_EQ(custom::LoadPrototype(dir.Path() + "/missing").problem.reason, "no such file");
  const auto self = custom::LoadPrototype();
  ASSERT_TRUE(self.ok());
  EXPECT_EQ(self.bytes.size(), fs::file_size("/proc/self/exe"));
  EXPECT_EQ(custom::FindBlock(self.bytes).status, custom::BlockSearchStatus::Found);
}

TEST(ReadPropertyFile, TextModeLinesOfAtMost2047Characters) {
  custom_test::TempDir dir;
  const std::string longLine(2047 + 10, 'L');
  const auto path = dir.Write("p.txt", "[PROPERTY]\r\nNAME=A\n" + longLine + "\nlast");
  std::vector<std::string> lines{"old"};
  ASSERT_EQ(custom::ReadPropertyFile(path, lines).status, custom::UserMediaFileStatus::Read);
  EXPECT_EQ(lines, (std::vector<std::string>{"[PROPERTY]", "NAME=A", std::string(2047, 'L'),
                                             std::string(10, 'L'), "last"}));
  lines = {"kept"};
  EXPECT_EQ(custom::ReadPropertyFile("/proc/self/mem", lines).status,
            custom::UserMediaFileStatus::ReadError);
  EXPECT_EQ(custom::ReadPropertyFile(dir.Path(), lines).status,
            custom::UserMediaFileStatus::NoFile);
  EXPECT_EQ(lines, std::vector<std::string>{"kept"});
}

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Cli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  std::vector<std::string> all{"--simulate"};
  all.insert(all.end(), args.begin(), args.end());
  const int status = cli::RunCli(all, out, err);
  return {status, out.str(), err.str()};
}

TEST_F(BuildEditionTest, CliBuildPrintsTheMessagesAndExitStatuses) {
  const std::string good = Properties("[PROPERTY]\nNAME=Cli\n");
  const CliRun ok =
      Cli({"build", good, "--prototype", prototype_.string(), "--output-dir", out_.string()});
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "File created successfully !\n" + Edition().string() + "\n");
  EXPECT_EQ(ok.err, "");
  EXPECT_TRUE(fs::exists(Edition()));

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::string bad = dir_.Write("bad.txt", "[DVD]\nG04F52544857494E44303100=X\n");
  const std::vector<Case> cases = {
      {{"build", "", "--prototype", prototype_.string()}, 2, "Error: No file selected !\n"},
      // A name of one blank is a name like any other.
      {{"build", " ", "--prototype", prototype_.string()},
       5,
       "Error: File not exists !\n : no such file\n"},
      // What the user typed reaches the terminal without its control bytes.
      {{"build", "x\x1b]0;title\x07", "--prototype", prototype_.string()},
       5,
       "Error: File not exists !\nx\u241b]0;title\u2407: no such file\n"},
      {{"build", dir_.Path() + "/missing", "--prototype", prototype_.string()},
       5,
       "Error: File not exists !\n" + dir_.Path() + "/missing: no such file\n"},
      {{"build", good, "--prototype", dir_.Path() + "/missing"},
       5,
       "Error: Load prototype failed !\n" + dir_.Path() + "/missing: no such file\n"},
      {{"build", good, "--prototype", good},
       6,
       "Error: Customization block not found in prototype !\n"},
      {{"build", bad, "--prototype", prototype_.string(), "--output-dir", out_.string()},
       7,
       "Error: '0xG0' is not a valid integer value\n"},
      // The test program has no quillrate beside it, nor in a folder app beside its own.
      {{"build", good},
       5,
       "quillrate-cli: no prototype to copy: the quillrate program is not at " +
           (fs::read_symlink("/proc/self/exe").parent_path() / "quillrate").string() + " nor at " +
           (fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "quillrate")
               .string() +
           "; name the executable to copy with --prototype EXE\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[1];
    EXPECT_EQ(run.err, c.err) << c.args[1];
    EXPECT_EQ(run.out, "") << c.args[1];
  }
}

TEST_F(BuildEditionTest, CliBuildModeWritesAFlaggedCopyOnly) {
  const std::string exe = (out_ / "program").string();
  auto cleared = image_;
  cleared[kBefore + custom::kBuildModeFlagOffset] = '0';
  WriteBytes(exe, cleared);

  const CliRun on = Cli({"build-mode", "on", exe});
  EXPECT_EQ(on.status, 0);
  EXPECT_EQ(on.out, "File created successfully !\n" + exe + ".build-mode-on\n");
  EXPECT_EQ(ReadBytes(exe + ".build-mode-on"), image_);
  EXPECT_EQ(ReadBytes(exe), cleared);

  const CliRun off = Cli({"build-mode", "off", exe + ".build-mode-on", "--output", exe + "-plain"});
  EXPECT_EQ(off.status, 0);
  EXPECT_EQ(ReadBytes(exe + "-plain"), cleared);

  const CliRun same = Cli({"build-mode", "on", exe, "--output", exe});
  EXPECT_EQ(same.status, 1);
  EXPECT_EQ(same.err, "Error: Output file is the prototype itself, not replaced !\n" + exe + "\n");
  EXPECT_EQ(ReadBytes(exe), cleared);

  EXPECT_EQ(Cli({"build-mode", "maybe", exe}).status, 2);
  EXPECT_EQ(Cli({"build-mode", "on", exe + ".none"}).status, 5);
}

TEST(CliBuildMode, RefusesToReplaceTheRunningProgram) {
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const CliRun run = Cli({"build-mode", "on", self, "--output", self});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
            "Error: Output file is the running program, not replaced !");
}

}  // namespace
