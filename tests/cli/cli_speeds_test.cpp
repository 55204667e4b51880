// quillrate-cli speeds: the table in text and JSON, its exit statuses, and captures of it.
#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "support/cli_run.h"

namespace {

using testing_cli::RunCliArgs;

const std::string kTimes = "\xC3\x97";

std::string SpeedsFixture() {
  return "--simulate=" QUILLRATE_FIXTURES_DIR "/speeds.json";
}

TEST(CliSpeeds, TextTableOfTheDemoCdWriter) {
  const auto run = RunCliArgs({"--simulate", "speeds", "--drive", "1"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out,
            "Drive 1: VEXO DVD-RW LS-1640L 1.10\n"
            "Disc: CDR, rated 48" +
                kTimes +
                "\n"
                "   Speed     kB/s  Rotation  Source                   Flags\n"
                "     48" +
                kTimes +
                "     8467  CLV       performance, mode_page\n"
                "     40" +
                kTimes +
                "     7056  CLV       performance, mode_page   picked\n"
                "     24" +
                kTimes +
                "     4234  CLV       performance, mode_page\n"
                "     16" +
                kTimes + "     2822  CLV       performance, mode_page\n");
}

struct JsonCase {
  const char* name;
  std::string simulate;
  const char* drive;
  std::vector<uint32_t> kbps;
  std::vector<std::string> tableFlags;
  bool verdict;
};

TEST(CliSpeeds, JsonOnEveryQuirkOfTheSpeedsMachine) {
  const JsonCase cases[] = {
      {"DVD+R in 1352 units", SpeedsFixture(), "0", {21632, 10816, 5408}, {"units_1352"}, false},
      {"zero speeds", SpeedsFixture(), "1", {11080, 5540, 0}, {"zero_speeds"}, false},
      {"CD speeds for a DVD",
       SpeedsFixture(),
       "2",
       {11080, 11080, 5540, 1058, 706},
       {"cd_speeds_for_dvd"},
       false},
      {"CD-RW rated above the offer", SpeedsFixture(), "3", {1411, 706}, {}, true},
      {"single speed, page without descriptors",
       SpeedsFixture(),
       "4",
       {11080},
       {"single_descriptor"},
       false},
      {"CD-R offered above its rating",
       SpeedsFixture(),
       "5",
       {9173, 8467, 7056},
       {"above_rating"},
       true},
      {"demo DVD+R rated 8x", "--simulate", "2", {22160, 11080}, {"above_rating"}, true},
      {"demo BD-R", "--simulate", "4", {35968, 26976, 17984}, {}, false},
  };
  for (const JsonCase& c : cases) {
    const auto run = RunCliArgs({c.simulate, "speeds", "--drive", c.drive, "--json"});
    ASSERT_EQ(run.status, cli::kExitOk) << c.name << ": " << run.err;
    const auto json = nlohmann::json::parse(run.out);
    std::vector<uint32_t> kbps;
    for (const auto& speed : json["speeds"]) {
      kbps.push_back(speed["kbps"]);
      for (const char* field : {"x", "rotation", "source", "picked", "flags"})
        EXPECT_TRUE(speed.contains(field)) << c.name << ": " << field;
      const std::string source = speed["source"];
      EXPECT_TRUE(source == "performance" || source == "mode_page") << c.name;
    }
    EXPECT_EQ(kbps, c.kbps) << c.name;
    EXPECT_EQ(json["flags"].get<std::vector<std::string>>(), c.tableFlags) << c.name;
    EXPECT_EQ(json["verdict"].is_string(), c.verdict) << c.name;
    EXPECT_TRUE(json["verdict"].is_string() || json["verdict"].is_null()) << c.name;
  }
}

TEST(CliSpeeds, VerdictInTextAndJson) {
  const auto text = RunCliArgs({SpeedsFixture(), "speeds", "--drive", "3"});
  ASSERT_EQ(text.status, cli::kExitOk) << text.err;
  const std::string verdict = "This drive offers at most 8" + kTimes + " for a disc rated 16" +
                              kTimes +
                              ": it may not know this media code; a firmware update or other "
                              "discs may help";
  EXPECT_NE(text.out.find("\n" + verdict + "\n"), std::string::npos) << text.out;
  const auto json = RunCliArgs({SpeedsFixture(), "speeds", "--drive", "3", "--json"});
  EXPECT_EQ(nlohmann::json::parse(json.out)["verdict"], verdict);
  EXPECT_EQ(nlohmann::json::parse(json.out)["rated"]["highest_x"], 16.0);
}

TEST(CliSpeeds, ExitStatuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;
  };
  const Case cases[] = {
      {{"--simulate", "speeds", "--drive", "5"}, cli::kExitNoDisc, "drive 5 has no disc"},
      {{"--simulate", "speeds", "--drive", "5", "--json"}, cli::kExitNoDisc, "has no disc"},
      {{"--simulate", "speeds", "--drive", "9"}, cli::kExitNoDrive, ""},
      {{"--simulate", "speeds", "--drive"}, cli::kExitUsage, ""},
      {{"--simulate", "speeds", "--frobnicate"}, cli::kExitUsage, ""},
      {{"--simulate", "speeds"}, cli::kExitOk, ""},
  };
  for (const Case& c : cases) {
    const auto run = RunCliArgs(c.args);
    EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

TEST(CliSpeeds, TheDeviceGivenWithDeviceIsTheDriveAsked) {
  // speeds.json lists G:\ fourth: the CD-RW rated above the drive's offer.
  const auto listed = RunCliArgs({SpeedsFixture(), "speeds", "--drive", "3"});
  const auto device = RunCliArgs({SpeedsFixture(), "--device", "\\\\.\\G:", "speeds"});
  ASSERT_EQ(device.status, cli::kExitOk) << device.err;
  EXPECT_EQ(device.out.substr(0, device.out.find('\n')), "Drive 0: VEXO DVD-RW CU-0816 1.00");
  EXPECT_EQ(device.out.substr(device.out.find('\n')), listed.out.substr(listed.out.find('\n')));
}

TEST(CliSpeeds, ADriveThatStopsAnsweringEndsWithStatus8) {
  const std::string fixture = ::testing::TempDir() + "speeds_vanish.json";
  {
    std::ofstream out(fixture);
    out << R"({"drives": [{"root": "E:\\", "address": {"port": 1}, "vendor": "VEXO",
        "product": "DVD-RW X", "writes": ["cd-r", "cd-rw", "dvd-r"], "vanish_after": 6,
        "disc": {"type": "dvd+r", "write_speeds": [{"write_kbps": 11080}]}}]})";
  }
  const auto run = RunCliArgs({"--simulate=" + fixture, "speeds"});
  EXPECT_EQ(run.status, cli::kExitNoAnswer) << run.out << run.err;
  std::remove(fixture.c_str());
}

TEST(CliSpeeds, CaptureReplaysTheSameTableAndAnOldCaptureSaysWhatItLacks) {
  const std::string path = ::testing::TempDir() + "capture_speeds.json";
  std::remove(path.c_str());
  const auto live = RunCliArgs({"--simulate", "--capture=" + path, "speeds", "--drive", "2"});
  ASSERT_EQ(live.status, cli::kExitOk) << live.err;
  const auto replayed = RunCliArgs({"--simulate=" + path, "speeds", "--drive", "2"});
  EXPECT_EQ(replayed.status, cli::kExitOk) << replayed.err;
  EXPECT_EQ(replayed.out, live.out);

  // A capture of the report holds no whole capabilities page: the replay names the command
  // and the table says which answer is missing.
  std::remove(path.c_str());
  ASSERT_EQ(RunCliArgs({"--simulate", "--capture=" + path, "report", "--drive", "2"}).status,
            cli::kExitOk);
  const auto old = RunCliArgs({"--simulate=" + path, "speeds", "--drive", "2"});
  EXPECT_NE(old.err.find("has no recorded answer to the command 5A 00 2A"), std::string::npos)
      << old.err;
  EXPECT_NE(old.out.find("The drive did not answer MODE SENSE for its capabilities page (2Ah)."),
            std::string::npos)
      << old.out;
  std::remove(path.c_str());
}

}  // namespace
