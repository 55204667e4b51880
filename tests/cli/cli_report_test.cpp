// quillrate-cli report, features and feature on the demonstration machine.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "custom/temp_dir.h"
#include "support/sim_machines.h"

namespace {

struct Output {
  int status;
  std::string out, err;
};

Output Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliReport, AllDrivesOfTheDemoMachine) {
  const Output run = Cli({"--simulate", "report", "--all"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_NE(run.out.find("Drive 1: VEXO     DVD-RW LS-1640L  1.10\n"
                         "        Drive Type = DVD Super Multigen (Support LightScribe)\n"
                         "         Disc Type = CDR\n"
                         "          Material = Phthalocyanine\n"
                         "           Lead In = 97:26:66\n"
                         "          Lead Out = 79:59:74\n"
                         "  Nominal Capacity = 702.83MB\n"
                         "Manufacturer Maybe = CMC Magnetics Corporation\n"
                         "QUILL-RATE Speed Limit = 40X (Write)\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("          Disc MID = 52 49 43 4F 48 4A 50 4E (RICOHJPN)\n"
                         "          Disc TID = 52 30 32 (R02)\n"
                         "  Nominal Capacity = 4.38GB\n"
                         "Manufacturer Maybe = Ricoh Company Limited\n"
                         "QUILL-RATE Speed Limit = 16.0X (Write)\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("         Disc Type = NO MEDIA             \n"), std::string::npos);
}

TEST(CliReport, JsonCarriesTheStructuredResult) {
  const Output run = Cli({"--simulate", "report", "--drive", "2", "--json"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["drive"]["kind_name"], "DVD DUAL");
  EXPECT_EQ(json["disc"]["kind"], 20);
  EXPECT_EQ(json["disc"]["mid"]["hex"], "52 49 43 4F 48 4A 50 4E");
  EXPECT_EQ(json["disc"]["tid"]["text"], "R02");
  EXPECT_EQ(json["disc"]["capacity_blocks"], 2295104);
  EXPECT_EQ(json["manufacturer"]["text"], "Ricoh Company Limited");
  EXPECT_EQ(json["manufacturer"]["source"], "built-in table");
  EXPECT_EQ(json["speed_limit"]["kbps"], 22160);
  EXPECT_EQ(json["speed_limit"]["x"], "16.0");
  ASSERT_EQ(json["write_speeds"].size(), 2u);
  EXPECT_EQ(json["write_speeds"][1]["write_kbps"], 11080);
  EXPECT_EQ(json["lines"].size(), 7u);
}

// The report leaves the drive at the speed it selected when asked for its maximum, and says
// which; a reader that was never asked for a write speed leaves it unknown.
TEST(CliReport, JsonNamesTheSpeedTheDriveWasLeftAt) {
  for (const auto& [drive, leftAt] :
       {std::pair<const char*, nlohmann::json>{"0", nullptr}, {"1", 7056}, {"2", 22160}}) {
    const Output run = Cli({"--simulate", "report", "--drive", drive, "--json"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_TRUE(json.contains("write_speed_left_at_kbps")) << drive;
    EXPECT_EQ(json["write_speed_left_at_kbps"], leftAt) << drive;
  }
}

TEST(CliReport, DefaultsToTheFirstWriterAndRefusesUnknownDrives) {
  const Output first = Cli({"--simulate", "report"});
  EXPECT_EQ(first.out.substr(0, 9), "Drive 1: ");
  const Output missing = Cli({"--simulate", "report", "--drive", "9"});
  EXPECT_EQ(missing.status, cli::kExitNoDrive);
  EXPECT_EQ(missing.err, "quillrate-cli: there is no drive 9; the list has 6 drives (0 to 5)\n");
}

TEST(CliFeatures, ShowAndSwitch) {
  const Output shown = Cli({"--simulate", "features"});
  ASSERT_EQ(shown.status, cli::kExitOk);
  EXPECT_EQ(shown.out,
            "Quillrate\n"
            "  Support Quillrate disable function : YES\n"
            "  Quillrate function is disabled : YES\n"
            "  [Disable Quillrate]\n"
            "Trimwave\n"
            "  Support Trimwave function : YES\n"
            "  Trimwave function is active : NO\n"
            "  [Enable Trimwave]\n"
            "Pacelift\n"
            "  Support Pacelift function : YES\n"
            "  Pacelift function is active : NO\n"
            "  [Enable Pacelift]\n");

  const Output on = Cli({"--simulate", "feature", "pacelift", "on", "--json"});
  EXPECT_EQ(on.status, cli::kExitOk);
  EXPECT_EQ(on.err,
            "Warning... Pacelift function is used for advance users , the quality of disc can't be "
            "guaranteed after burning with this function.\n");
  EXPECT_EQ(nlohmann::json::parse(on.out)["features"][2]["state"], "YES");

  const Output off = Cli({"--simulate", "feature", "pacelift", "off"});
  EXPECT_EQ(off.err, "");

  const Output unsupported = Cli({"--simulate", "feature", "trimwave", "on", "--drive", "2"});
  EXPECT_EQ(unsupported.status, cli::kExitFailure);
  EXPECT_NE(unsupported.out.find("Trimwave function is active : N/A"), std::string::npos);
  EXPECT_EQ(unsupported.err,
            "quillrate-cli: the drive does not support trimwave; nothing was sent\n");
}

// A drive whose page says a feature is not supported never gets a MODE SELECT for it, while
// a supported one on the same page is switched.
TEST(CliReport, FeatureTheDriveDoesNotSupportIsNotSent) {
  const custom_test::TempDir dir;
  const std::string fixture = dir.Write(
      "drive.json",
      testing_machines::OneDrive(R"(, "vendor_page": {"support": "0x02", "state": "0x00"})"));
  struct Case {
    const char* name;
    int status;
    bool modeSelectSent;
  };
  for (const Case& c : {Case{"pacelift", cli::kExitFailure, false},
                        Case{"quillrate-disable", cli::kExitFailure, false},
                        Case{"trimwave", cli::kExitOk, true}}) {
    const std::string capture = dir.Path() + "/" + c.name + ".json";
    const Output run =
        Cli({"--simulate=" + fixture, "--capture=" + capture, "feature", c.name, "on"});
    EXPECT_EQ(run.status, c.status) << c.name << run.err;
    std::ifstream file(capture);
    const auto log = nlohmann::json::parse(file, nullptr, false);
    ASSERT_FALSE(log.is_discarded()) << c.name;
    bool sent = false;
    for (const auto& drive : log["drives"]) {
      for (const auto& command : drive["replay"]) {
        sent = sent || command["cdb"].get<std::string>().rfind("hex:55", 0) == 0;
      }
    }
    EXPECT_EQ(sent, c.modeSelectSent) << c.name;
  }
}

}  // namespace
