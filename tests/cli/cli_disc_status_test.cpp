// quillrate-cli status and fits on the demo machine and on files of every kind: the exit
// statuses a script relies on, and the JSON fields it reads.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "custom/temp_dir.h"
#include "support/cli_run.h"

namespace {

using testing_cli::CliRun;
using testing_cli::RunCliArgs;

// The demo machine's appendable CD-R (drive 1) has 119 849 blocks free; its DVD+R (drive 2)
// is blank, its DVD-R (drive 3) finished, and drive 5 is empty.
constexpr uint64_t kCdFreeBlocks = 119'849;

struct StatusRow {
  const char* drive;
  int exit;
  const char* text;
  const char* discStatus;  // null: JSON null
  nlohmann::json freeBlocks;
  nlohmann::json sessions;
};

TEST(CliDiscStatus, StatusOfEachDemoDrive) {
  const StatusRow rows[] = {
      {"0", cli::kExitOk,
       "Drive 0: VEXO DVD-ROM DR-1680\nFinished (closed): nothing more can be written\n"
       "Holds 4 707 MB (4.38 GiB, 2 298 496 blocks)\n",
       "complete", 0, 1},
      {"1", cli::kExitOk, "Drive 1: VEXO DVD-RW LS-1640L\nAppendable: 2 sessions, 245 MB free\n",
       "appendable", kCdFreeBlocks, 2},
      {"2", cli::kExitOk,
       "Drive 2: VEXO DVD-RW DX-1620D\nBlank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)\n",
       "blank", 2'295'104, 0},
      {"3", cli::kExitOk,
       "Drive 3: VEXO DVD-RW DM-1280\nFinished (closed): nothing more can be written\n"
       "Holds 3 774 MB (3.51 GiB, 1 843 200 blocks)\n",
       "complete", 0, 1},
      {"4", cli::kExitOk,
       "Drive 4: VEXO BD-RE BX-0612\nBlank, 24 220 MB free (22.55 GiB, 11 826 176 blocks)\n",
       "blank", 11'826'176, 0},
      {"5", cli::kExitNoDisc, "Drive 5: VEXO DVD+RW DP-0840\nNo disc in the drive\n", nullptr,
       nullptr, nullptr},
  };
  for (const StatusRow& row : rows) {
    SCOPED_TRACE(row.drive);
    const CliRun text = RunCliArgs({"--simulate", "status", "--drive", row.drive});
    EXPECT_EQ(text.status, row.exit) << text.err;
    EXPECT_EQ(text.out, row.text);
    const CliRun json = RunCliArgs({"--simulate", "status", "--drive", row.drive, "--json"});
    EXPECT_EQ(json.status, row.exit);
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["disc_status"],
              row.discStatus ? nlohmann::json(row.discStatus) : nlohmann::json(nullptr));
    EXPECT_EQ(document["free_blocks"], row.freeBlocks);
    EXPECT_EQ(document["sessions"], row.sessions);
    if (row.freeBlocks.is_number()) {
      EXPECT_EQ(document["free_bytes"], row.freeBlocks.get<uint64_t>() * 2048);
    } else {
      EXPECT_TRUE(document["free_bytes"].is_null());
    }
    for (const char* field : {"erasable", "last_session_state"}) {
      EXPECT_TRUE(document.contains(field)) << field;
    }
  }
}

struct FitsRow {
  std::vector<std::string> args;
  int exit;
  const char* lastLine;  // of the output, or of the error output when nothing fits either way
};

TEST(CliDiscStatus, FitsExitStatuses) {
  const FitsRow rows[] = {
      {{"--drive", "2", "2295104s"},
       cli::kExitOk,
       "Fits: 2 295 104 blocks needed, 2 295 104 free; nothing to spare"},
      {{"--drive", "2", "2295105s"},
       cli::kExitFailure,
       "Does not fit: 2 295 105 blocks needed, 2 295 104 free; 1 block (2 KiB) missing"},
      {{"--drive", "2", "4.7G"},
       cli::kExitOk,
       "Fits: 2 294 922 blocks needed, 2 295 104 free; 182 blocks (364 KiB) to spare"},
      {{"--drive", "1", "700M"},
       cli::kExitFailure,
       "Does not fit: 341 797 blocks needed, 119 849 free; 221 948 blocks (455 MB) missing"},
      {{"--drive", "3", "1k"},
       cli::kExitFinished,
       "quillrate-cli: the disc in drive 3 is finished (closed): nothing more can be written"},
      {{"--drive", "5", "1k"}, cli::kExitNoDisc, "quillrate-cli: drive 5 holds no disc"},
      {{"--drive", "9", "1k"},
       cli::kExitNoDrive,
       "quillrate-cli: there is no drive 9; the list has 6 drives (0 to 5)"},
      {{"--drive", "2", "700X"},
       cli::kExitUsage,
       "quillrate-cli: unknown unit \"X\" in \"700X\": use B, k, M, G, T (powers of 1000), KiB, "
       "MiB, GiB, TiB (powers of 1024) or s (2048-byte sectors)"},
      {{"--drive", "2", "no-such-image.iso"},
       cli::kExitNoFile,
       "quillrate-cli: no-such-image.iso: no such file, and not a size (such as 700M, 4.7G, "
       "4482MiB or 2295104s)"},
  };
  for (const FitsRow& row : rows) {
    std::vector<std::string> args{"--simulate", "fits"};
    args.insert(args.end(), row.args.begin(), row.args.end());
    SCOPED_TRACE(row.args.back());
    const CliRun run = RunCliArgs(args);
    EXPECT_EQ(run.status, row.exit) << run.err;
    const std::string& shown = run.status <= cli::kExitFailure ? run.out : run.err;
    ASSERT_FALSE(shown.empty());
    const size_t from = shown.rfind('\n', shown.size() - 2);
    EXPECT_EQ(shown.substr(from == std::string::npos ? 0 : from + 1),
              std::string(row.lastLine) + "\n");
  }
}

TEST(CliDiscStatus, FitsJson) {
  const CliRun run = RunCliArgs({"--simulate", "fits", "--drive", "2", "2295105s", "--json"});
  EXPECT_EQ(run.status, cli::kExitFailure);
  const nlohmann::json document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["fits"], false);
  EXPECT_EQ(document["free_blocks"], 2'295'104);
  EXPECT_EQ(document["needed_blocks"], 2'295'105);
  const CliRun finished = RunCliArgs({"--simulate", "fits", "--drive", "3", "1k", "--json"});
  EXPECT_EQ(finished.status, cli::kExitFinished);
  EXPECT_EQ(nlohmann::json::parse(finished.out)["fits"], false);
  EXPECT_EQ(nlohmann::json::parse(finished.out)["free_blocks"], 0);
}

// The file's size counts, in blocks rounded up; it is never read.
TEST(CliDiscStatus, FitsFiles) {
  custom_test::TempDir dir;
  const std::string exact = dir.Path() + "/exact.iso";
  const std::string over = dir.Path() + "/over.iso";
  std::filesystem::resize_file((std::ofstream(exact), exact), kCdFreeBlocks * 2048);
  std::filesystem::resize_file((std::ofstream(over), over), kCdFreeBlocks * 2048 + 1);
  EXPECT_EQ(RunCliArgs({"--simulate", "fits", "--drive", "1", exact}).status, cli::kExitOk);
  const CliRun overRun = RunCliArgs({"--simulate", "fits", "--drive", "1", over, "--json"});
  EXPECT_EQ(overRun.status, cli::kExitFailure);
  EXPECT_EQ(nlohmann::json::parse(overRun.out)["needed_blocks"], kCdFreeBlocks + 1);

  // A named pipe is refused before it is opened: nothing waits for a writer.
  const std::string fifo = dir.Path() + "/pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const CliRun pipe = RunCliArgs({"--simulate", "fits", "--drive", "1", fifo});
  EXPECT_EQ(pipe.status, cli::kExitNoFile);
  EXPECT_EQ(pipe.err, "quillrate-cli: " + fifo + ": a named pipe, not a regular file\n");
  EXPECT_TRUE(pipe.out.empty());

  const CliRun folder = RunCliArgs({"--simulate", "fits", "--drive", "1", dir.Path()});
  EXPECT_EQ(folder.status, cli::kExitNoFile);
  EXPECT_EQ(folder.err, "quillrate-cli: " + dir.Path() + ": a folder, not a file\n");

  // A file named like a size is a file.
  const std::string named = dir.Path() + "/700M";
  std::ofstream(named) << "x";
  const CliRun file = RunCliArgs({"--simulate", "fits", "--drive", "1", named, "--json"});
  EXPECT_EQ(nlohmann::json::parse(file.out)["needed_blocks"], 1);

  if (::geteuid() != 0) {
    const std::string locked = dir.Path() + "/locked.iso";
    std::ofstream(locked) << "x";
    ::chmod(locked.c_str(), 0);
    const CliRun unreadable = RunCliArgs({"--simulate", "fits", "--drive", "1", locked});
    EXPECT_EQ(unreadable.status, cli::kExitNoFile);
    EXPECT_NE(unreadable.err.find("Permission denied"), std::string::npos) << unreadable.err;
  }
}

TEST(CliDiscStatus, FreeSpaceTheDriveDoesNotGive) {
  custom_test::TempDir dir;
  const std::string fixture = dir.Path() + "/machine.json";
  std::ofstream(fixture) << R"({"drives": [{"root": "E:\\", "vendor": "VEXO",
      "product": "DVD-RW TEST", "writes": ["cd-r", "cd-rw"],
      "faults": [{"command": "0x52", "kind": "sense"}],
      "disc": {"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"}}]})";
  const CliRun status = RunCliArgs({"--simulate=" + fixture, "status"});
  EXPECT_EQ(status.status, cli::kExitOk);
  EXPECT_EQ(status.out, "Drive 0: VEXO DVD-RW TEST\nBlank, free space: the drive does not say\n");
  const CliRun fits = RunCliArgs({"--simulate=" + fixture, "fits", "1k", "--json"});
  EXPECT_EQ(fits.status, cli::kExitUnknownFree);
  EXPECT_TRUE(nlohmann::json::parse(fits.out)["fits"].is_null());
  EXPECT_EQ(fits.err,
            "quillrate-cli: how much is free on the disc in drive 0: the drive does not say\n");
}

// A capture of status replays the same status; a capture made by another command says which
// answer it lacks instead of inventing one.
TEST(CliDiscStatus, CaptureAndReplay) {
  custom_test::TempDir dir;
  const std::string statusCapture = dir.Path() + "/status.json";
  const CliRun live =
      RunCliArgs({"--simulate", "--capture=" + statusCapture, "status", "--drive", "1"});
  ASSERT_EQ(live.status, cli::kExitOk) << live.err;
  const CliRun replayed = RunCliArgs({"--simulate=" + statusCapture, "status", "--drive", "1"});
  EXPECT_EQ(replayed.status, cli::kExitOk) << replayed.err;
  EXPECT_EQ(replayed.out, live.out);

  const std::string reportCapture = dir.Path() + "/report.json";
  ASSERT_EQ(
      RunCliArgs({"--simulate", "--capture=" + reportCapture, "identify", "--drive", "2"}).status,
      cli::kExitOk);
  const CliRun old = RunCliArgs({"--simulate=" + reportCapture, "status", "--drive", "2"});
  EXPECT_EQ(old.status, cli::kExitNoAnswer);
  EXPECT_NE(old.err.find("(the capture holds no READ DISC INFORMATION answer)"), std::string::npos)
      << old.err;
  EXPECT_EQ(old.out, "Drive 2: VEXO DVD-RW DX-1620D\nDisc status: the drive does not say\n");
}

}  // namespace
