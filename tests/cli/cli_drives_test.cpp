// quillrate-cli: the drive listing and the command line's errors.
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "custom/temp_dir.h"

namespace {

struct CliRun {
  int status;
  std::string out, err;
};

CliRun RunArgs(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliDrives, DemoMachineInAddressOrder) {
  const CliRun run = RunArgs({"--simulate", "drives"});
  EXPECT_EQ(run.status, cli::kExitOk);
  std::istringstream lines(run.out);
  std::string first;
  std::getline(lines, first);
  EXPECT_EQ(first.substr(0, 35), " 0   0-0-0-0  D:\\   VEXO     DVD-RO");
  EXPECT_EQ(run.err, "");
}

TEST(CliDrives, JsonListsTheSameDrives) {
  const CliRun text = RunArgs({"--simulate", "drives"});
  const CliRun json = RunArgs({"--simulate", "drives", "--json"});
  ASSERT_EQ(json.status, cli::kExitOk);
  const auto parsed = nlohmann::json::parse(json.out);
  const auto& drives = parsed.at("drives");
  EXPECT_EQ(static_cast<long>(drives.size()), std::count(text.out.begin(), text.out.end(), '\n'));
  EXPECT_EQ(drives[0].at("root"), "D:\\");
  EXPECT_EQ(drives[0].at("adapter"), 0);
  EXPECT_EQ(drives[1].at("adapter"), 1);
  EXPECT_EQ(drives[1].at("via_aspi"), false);
}

TEST(CliDrives, ErrorsAndStatuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;
  };
  for (const Case& c : {
           Case{{}, cli::kExitUsage, "A subcommand is required"},
           Case{{"frobnicate"}, cli::kExitUsage, "unknown command \"frobnicate\""},
           Case{{"--simulate", "drives", "--jsn"}, cli::kExitUsage, "--jsn"},
           Case{{"--simulate=/nonexistent.json", "drives"},
                cli::kExitFixture,
                "quillrate-cli: /nonexistent.json: no such file"},
           // What the user typed is shown without its control bytes.
           Case{{"--simulate=/x\x1b]0;t\x07", "drives"},
                cli::kExitFixture,
                "quillrate-cli: /x\u241b]0;t\u2407: no such file\n"},
           Case{{"--simulate", "report", "--drive", "abc"},
                cli::kExitUsage,
                "\"abc\" is not a drive index: give the number that \"drives\" lists"},
           Case{{"--simulate", "report", "--drive", "-1"}, cli::kExitUsage, "\"-1\" is not"},
           Case{{"--simulate", "report", "--drive", "1", "--all"},
                cli::kExitUsage,
                "--drive excludes --all"},
       }) {
    const CliRun run = RunArgs(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
  }
}

TEST(CliDrives, HelpDocumentsExitStatuses) {
  const CliRun run = RunArgs({"--help"});
  EXPECT_EQ(run.status, cli::kExitOk);
  EXPECT_NE(run.out.find("Exit status:"), std::string::npos);
  EXPECT_NE(run.out.find("--simulate"), std::string::npos);
  EXPECT_NE(run.out.find("9 a drive is there but cannot be opened"), std::string::npos);
  EXPECT_NE(run.out.find("left there (the JSON names it: write_speed_left_at_kbps)"),
            std::string::npos);
}

}  // namespace

namespace {

// A drive that never answers INQUIRY (the call fails below it) is listed with an empty
// identity, and the list says so on stderr; a drive that answers, even with a rejection or
// after a failed first try, gets no note.
TEST(CliDrives, AnIdentityThatWentUnansweredIsNoted) {
  custom_test::TempDir dir;
  const struct {
    const char* fault;
    bool noted;
  } cases[] = {
      {R"({"command": "0x12", "kind": "transport-error"})", true},
      {R"({"command": "any", "kind": "transport-error"})", true},
      {R"({"command": "0x12", "kind": "transport-error", "times": 1})", false},
      {R"({"command": "0x12", "kind": "sense", "sense": [5, "0x24", 0]})", false},
  };
  for (const auto& c : cases) {
    const std::string fixture = dir.Write(
        "machine.json", std::string(R"({"platform": {"nt": true}, "drives": [{"root": "E:\\",
        "address": {"port": 1}, "vendor": "VEXO", "product": "DVD-RW TEST", "faults": [)") +
                            c.fault + "]}]}");
    const CliRun run = RunArgs({"--simulate=" + fixture, "drives"});
    EXPECT_EQ(run.status, cli::kExitOk) << c.fault;
    EXPECT_EQ(run.err ==
                  "quillrate-cli: drive 0 did not answer TEST UNIT READY or INQUIRY while "
                  "the list was made (the call failed below the drive): its identity is "
                  "empty\n",
              c.noted)
        << c.fault << ": " << run.err;
    if (!c.noted) {
      EXPECT_EQ(run.err, "") << c.fault;
    }
  }
}

}  // namespace
