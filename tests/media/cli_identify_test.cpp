// quillrate-cli drives and identify over the fixtures.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "support/demo_report.h"
#include "support/media_rig.h"

namespace {

struct CliRun {
  int status;
  std::string out, err;
};

CliRun RunCliOn(const std::string& fixture, std::vector<std::string> args) {
  args.insert(args.begin(), "--simulate=" + media_test::FixturePath(fixture));
  std::ostringstream out, err;
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliDrives, ShowsKindAndCdrWriting) {
  const CliRun run = RunCliOn("demo.json", {"drives"});
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find(" 0   0-0-0-0  D:\\   VEXO     DVD-ROM DR-1680  1.02  pass-through  "
                         "DVD-ROM             no CD-R writing\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("DVD-RW LS-1640L  1.10  pass-through  DVD Super Multigen  writes CD-R\n"),
            std::string::npos);
  const auto json = nlohmann::json::parse(RunCliOn("demo.json", {"drives", "--json"}).out);
  EXPECT_EQ(json["drives"][4]["kind"], 16);
  EXPECT_EQ(json["drives"][4]["kind_name"], "BD-Recordable");
  EXPECT_EQ(json["drives"][0]["writes_cd_r"], false);
  EXPECT_EQ(json["drives"][0]["kind_name"], "DVD-ROM  ");
}

TEST(CliIdentify, DefaultsToTheFirstWriter) {
  const CliRun run = RunCliOn("demo.json", {"identify"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Drive 1: VEXO DVD-RW LS-1640L\n" + testing_demo::DemoCdReportText(false));
}

TEST(CliIdentify, DvdPlusRAsText) {
  const CliRun run = RunCliOn("dvd.json", {"identify", "--drive", "15"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Drive 15: VEXO DVD-RW DU-1628\n"
            "        Drive Type = DVD DUAL \n"
            "         Disc Type = DVD+R (Single Layer)\n"
            "          Disc MID = 43 4D 43 20 4D 41 47 8A (CMC MAG.)\n"
            "          Disc TID = 4F 8A 00 (O..)\n"
            "  Nominal Capacity = 4.38GB\n"
            "Manufacturer Maybe = CMC Magnetics Corporation\n");
}

TEST(CliIdentify, BdAsJson) {
  const CliRun run = RunCliOn("bd.json", {"identify", "--drive", "3", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["drive"]["kind"], 15);
  EXPECT_EQ(json["drive"]["kind_name"], "BD-R DUAL");
  EXPECT_EQ(json["disc"]["kind"], 27);
  EXPECT_EQ(json["disc"]["double_layer"], true);
  EXPECT_EQ(json["disc"]["mid"]["text"], "VERBAT");
  EXPECT_EQ(json["disc"]["tid"]["hex"], "49 4D 66");
  EXPECT_EQ(json["disc"]["time_stamp"], "08 05");
  EXPECT_EQ(json["lines"].back(), "         PR Number = 01 ");
  EXPECT_FALSE(json["disc"].contains("manufacturer"));
}

TEST(CliIdentify, LabelSideAndNonAsciiAsJson) {
  const CliRun run = RunCliOn("lightscribe.json", {"identify", "--drive", "2", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["lightscribe"]["state"], 3);
  EXPECT_EQ(json["disc"]["label_side"], true);
  ASSERT_EQ(json["lines"].size(), 8u);
  EXPECT_EQ(json["lines"][1], "         Disc Type = (LightScribe Label Side)");
}

TEST(CliIdentify, CdFieldsAsJson) {
  const auto json =
      nlohmann::json::parse(RunCliOn("cd_r.json", {"identify", "--drive", "11", "--json"}).out);
  EXPECT_EQ(json["disc"]["lead_in"]["number"], 2575755);
  EXPECT_EQ(json["disc"]["lead_in"]["time"], "25:75:75");
  EXPECT_EQ(json["disc"]["material"], "Phthalocyanine");
  EXPECT_EQ(json["manufacturer"]["text"], "Unknown Manufacturer");
  EXPECT_EQ(json["manufacturer"]["source"], "built-in table");
  EXPECT_FALSE(json.contains("speed_limit"));
  // identify changes no speed, so it leaves the drive at none.
  EXPECT_FALSE(json.contains("write_speed_left_at_kbps"));
}

TEST(CliIdentify, UnknownDriveIndex) {
  const CliRun run = RunCliOn("demo.json", {"identify", "--drive", "9"});
  EXPECT_EQ(run.status, 4);
  EXPECT_EQ(run.err, "quillrate-cli: there is no drive 9; the list has 6 drives (0 to 5)\n");
}

TEST(CliIdentify, NoWriter) {
  const CliRun run = RunCliOn("drive_kinds.json", {"identify", "--drive", "2"});
  EXPECT_EQ(run.status, 0);
  const std::string machine = R"({"drives": [{"root": "E:\\", "reads": ["cd-r"]}]})";
  const std::string path = testing::TempDir() + "/reader_only.json";
  FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs(machine.c_str(), file);
  std::fclose(file);
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCli({"--simulate=" + path, "identify"}, out, err), 4);
  EXPECT_EQ(err.str(),
            "quillrate-cli: no drive that writes was found; choose a drive with --drive N (see "
            "the list of \"drives\")\n");
}

}  // namespace
