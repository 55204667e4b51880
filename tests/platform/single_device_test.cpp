// quillrate-cli --device PATH: exactly one device is the drive list, and what it reports is
// what the same drive reports when the system's list finds it.
#include <sstream>

#include <gtest/gtest.h>

#include "cli/exit_codes.h"
#include "custom/temp_dir.h"
#include "platform/single_device_system.h"
#include "support/cli_run.h"

namespace {

using testing_cli::CliRun;
using testing_cli::RunCliArgs;

std::string Fixture(const std::string& name) {
  return "--simulate=" QUILLRATE_FIXTURES_DIR "/" + name;
}

// Everything after the first line, which names the drive by its list index.
std::string WithoutHeader(const std::string& report) {
  return report.substr(report.find('\n') + 1);
}

TEST(DeviceRootName, NamesTheRootAsTheDriveListShowsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"\\\\.\\E:", "E:\\"},
      {"\\\\.\\CdRom0", "CdRom0"},
      {"/dev/sr0", "sr0"},
      {"\\\\?\\unix\\dev\\sr1", "sr1"},
      {"/dev/sg12345678", "sg12345"},  // a root holds seven characters
      {"sr0", "sr0"},
      {"\\\\.\\E:\\", "E:\\"},
  };
  for (const auto& [path, root] : cases) EXPECT_EQ(platform::DeviceRootName(path), root) << path;
}

TEST(CliDevice, ReportsLikeTheSameDriveFoundInTheList) {
  // dvd.json lists F:\ third: a DVD-R drive with the vendor media-ID command.
  const CliRun listed = RunCliArgs({Fixture("dvd.json"), "report", "--drive", "2"});
  const CliRun device = RunCliArgs({Fixture("dvd.json"), "--device", "\\\\.\\F:", "report"});
  ASSERT_EQ(listed.status, cli::kExitOk) << listed.err;
  ASSERT_EQ(device.status, cli::kExitOk) << device.err;
  EXPECT_EQ(device.out.substr(0, device.out.find('\n')), "Drive 0: VEXO     DVD-RW DU-1620   1.00");
  EXPECT_EQ(WithoutHeader(device.out), WithoutHeader(listed.out));
}

TEST(CliDevice, TheDeviceIsTheWholeListAndIsReachedByPassThrough) {
  const CliRun run = RunCliArgs({Fixture("dvd.json"), "--device", "\\\\.\\F:", "drives"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out,
            " 0   1-0-0-0  F:\\   VEXO     DVD-RW DU-1620   1.00  pass-through  DVD DUAL        "
            "    writes CD-R\n");
}

TEST(CliDevice, ADeviceThatCannotBeOpenedIsNoDrive) {
  const CliRun run = RunCliArgs({Fixture("dvd.json"), "--device", "\\\\.\\Z:", "report"});
  EXPECT_EQ(run.status, cli::kExitNoDrive);
  EXPECT_EQ(run.err, "No drive detected !\n");
}

// On the real system a path that is plainly no device is refused with the reason before
// anything is opened.
TEST(CliDevice, APathThatIsNoDeviceNodeIsRefusedWithTheReason) {
  custom_test::TempDir dir;
  const std::string file = dir.Write("drive.txt", "not a drive");
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {dir.Path() + "/missing", "no such file"},
      {file, "a file, not a device"},
      {dir.Path(), "a folder, not a device"},
      {"", "no such file"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCliArgs({"--device", c.path, "report"});
    EXPECT_EQ(run.status, cli::kExitNoDrive) << c.path;
    EXPECT_EQ(run.err, "quillrate-cli: --device " + c.path + ": " + c.reason + "\n");
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
