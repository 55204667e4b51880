#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/cli_app.h"
#include "custom/about_text.h"
#include "temp_dir.h"

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun RunCli(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  args.insert(args.begin(), "--simulate");
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(AboutCommand, PrintsTheAboutTextAndTheFlag) {
  const CliRun text = RunCli({"about"});
  EXPECT_EQ(text.status, 0);
  EXPECT_EQ(text.out, custom::ComposeAboutText(custom::ProgramBlock()));
  const CliRun json = RunCli({"about", "--json"});
  ASSERT_EQ(json.status, 0);
  const auto parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["build_mode_flag"], "0");
  EXPECT_EQ(parsed["build_mode"], false);
  EXPECT_EQ(parsed["block"]["program_name"], "Quill-Rate Media Check");
  EXPECT_EQ(parsed["block"]["cd_rows_used"], 0);
  EXPECT_EQ(parsed["text"], text.out);
  EXPECT_EQ(parsed["license"], "GPL-3.0-or-later");
}

TEST(MediaFileCommand, CheckListsRowsAndSkippedLines) {
  custom_test::TempDir dir;
  const std::string path = dir.Write("media.txt",
                                     "[CD]\n972666_795974=CMC \xE9\n97266x_795974=Bad key\n"
                                     "[DVD]\n5249434F484A504E5230320G=Bad\n");
  const CliRun run = RunCli({"media-file", "check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "line 2: CD row, lead-in 972666, lead-out 795974, text \"CMC \xC3\xA9\"\n"
            "line 3: CD row, lead-in 97266x, lead-out 795974, text \"Bad key\" (the lead-in key "
            "is not a decimal number: it matches no disc)\n"
            "line 5: skipped, not hexadecimal: pair 12 (positions 23-24): "
            "5249434F484A504E5230320G=Bad\n"
            "2 CD rows, 0 DVD rows taken; 1 lines skipped\n");
  const CliRun clean = RunCli({"media-file", "check", dir.Write("ok.txt", "[CD]\n1_2=x\n")});
  EXPECT_EQ(clean.status, 1);
  EXPECT_EQ(RunCli({"media-file", "check", dir.Write("good.txt", "[CD]\n")}).status, 0);
}

TEST(MediaFileCommand, DirectoryOrMissingFileIsNoFile) {
  custom_test::TempDir dir;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir.Path(), "a folder, not a file"}, {dir.Path() + "/missing", "no such file"}};
  for (const auto& [path, reason] : cases) {
    for (const char* verb : {"check", "use"}) {
      const CliRun run = RunCli({"media-file", verb, path});
      EXPECT_EQ(run.status, 5) << verb << ' ' << path;
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err, "quillrate-cli: " + path + ": " + reason + "\n");
    }
  }
}

TEST(MediaFileCommand, UseAndRemoveShowTheButtonsMessages) {
  custom_test::TempDir dir;
  const std::string path = dir.Write("media.txt", "[CD]\n972666_795974=A\n[DVD]\n");
  const CliRun use = RunCli({"media-file", "use", path});
  EXPECT_EQ(use.status, 0);
  EXPECT_EQ(use.out, "User-defined file added !\n1 CD rows, 0 DVD rows loaded\n");
  const CliRun remove = RunCli({"media-file", "remove"});
  EXPECT_EQ(remove.status, 0);
  EXPECT_EQ(remove.out, "User-defined file removed !\n");
}

}  // namespace
