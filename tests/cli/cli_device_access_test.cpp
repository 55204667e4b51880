// quillrate-cli --device on real nodes of this machine: a CD-ROM node the user may not open is
// named with the system's reason and the group to join (status 9, never "No drive detected
// !"); a device that is no optical drive (/dev/null, a link to /dev/zero) is refused before a
// command reaches it.
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/exit_codes.h"
#include "custom/temp_dir.h"
#include "robustness/file_fault_support.h"
#include "support/cli_run.h"

namespace {

using testing_cli::RunCliArgs;

constexpr gid_t kStrangeGroup = 54321;  // no account's group: the remedy names it by number

file_faults::Outcome CliOutcome(const std::vector<std::string>& args) {
  const testing_cli::CliRun run = RunCliArgs(args);
  return {run.status, run.out, run.err};
}

// A node the unprivileged child cannot open: as root, a CD-ROM block node (sr, major 11)
// of mode 0000 in a group the child is not in; where no node can be made, a path under a
// folder the child cannot enter. Returns the reason the program must give.
std::string UnopenableNode(const std::string& folder, std::string& node) {
  node = folder + "/sr7";
  if (::geteuid() == 0 && ::mknod(node.c_str(), S_IFBLK | 0000, makedev(11, 250)) == 0 &&
      ::chown(node.c_str(), 0, kStrangeGroup) == 0) {
    return "Permission denied: the node belongs to group \"54321\" and you are not in it; run "
           "\"sudo usermod -aG 54321 $USER\", then log in again";
  }
  const std::string closed = folder + "/closed";
  std::filesystem::create_directory(closed);
  node = closed + "/sr7";
  ::chmod(closed.c_str(), ::geteuid() == 0 ? 0700 : 0000);
  return "Permission denied";
}

TEST(CliDeviceAccess, ANodeThatCannotBeOpenedIsNamedWithTheReasonAndTheRemedy) {
  custom_test::TempDir dir;
  std::string node;
  const std::string reason = UnopenableNode(dir.Path(), node);
  const std::string message = "quillrate-cli: --device " + node + ": " + reason + "\n";
  for (const char* command : {"report", "features", "identify", "speeds"}) {
    const auto run = file_faults::RunUnprivileged([&] {
      return CliOutcome({"--device", node, command});
    });
    EXPECT_EQ(run.status, cli::kExitNoAccess) << command << run.err;
    EXPECT_EQ(run.err, message) << command;
    EXPECT_EQ(run.out, "") << command;
  }
  const auto drives = file_faults::RunUnprivileged([&] {
    return CliOutcome({"--device", node, "drives"});
  });
  EXPECT_EQ(drives.status, cli::kExitNoAccess) << drives.err;
  EXPECT_EQ(drives.out, "No drive could be opened.\n");
  EXPECT_EQ(drives.err, node + ": " + reason + "\n");
  const auto json = file_faults::RunUnprivileged([&] {
    return CliOutcome({"--device", node, "drives", "--json"});
  });
  EXPECT_EQ(json.status, cli::kExitNoAccess) << json.err;
  const auto parsed = nlohmann::json::parse(json.out, nullptr, false);
  ASSERT_FALSE(parsed.is_discarded()) << json.out;
  EXPECT_TRUE(parsed.at("drives").empty());
  ASSERT_EQ(parsed.at("problems").size(), 1u);
  EXPECT_EQ(parsed["problems"][0].at("device"), node);
  EXPECT_EQ(parsed["problems"][0].at("reason"), reason);
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
  file_faults::RestorePermissions(dir.Path());
}

TEST(CliDeviceAccess, ADeviceThatIsNoOpticalDriveIsRefused) {
  custom_test::TempDir dir;
  const std::string link = dir.Path() + "/cdrom";
  std::filesystem::create_symlink("/dev/zero", link);
  const std::string reason =
      "not an optical drive (neither a CD-ROM block device such as /dev/sr0 nor a SCSI generic "
      "node such as /dev/sg1)";
  for (const std::string& path : {std::string("/dev/null"), std::string("/dev/zero"), link}) {
    for (const char* command : {"drives", "report"}) {
      const auto run = RunCliArgs({"--device", path, command});
      EXPECT_EQ(run.status, cli::kExitNoDrive) << path << ' ' << command;
      EXPECT_NE(run.err.find(path + ": " + reason + "\n"), std::string::npos) << run.err;
      // The device is never listed as a drive.
      EXPECT_EQ(run.out.find(" 0  "), std::string::npos) << run.out;
    }
  }
}

}  // namespace
