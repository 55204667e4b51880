// Why an optical device cannot be used, against a fake kernel: a node that exists but does not
// open is named with the system's reason and the group to join; a path that is no optical
// drive (/dev/null, a disk) is refused before any command reaches it.
#include "platform/linux/drive_checks.h"

#include <fcntl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/fake_kernel.h"

namespace {

using fake::FakeKernel;

// A group no account of this machine has, so the remedy names it by number and the test
// never depends on the groups of whoever runs it.
constexpr gid_t kStrangeGroup = 54321;

TEST(CheckDevicePath, SaysWhyAPathCannotBeUsedAsADrive) {
  struct Case {
    const char* name;
    FakeKernel::Node node;
    std::optional<std::string> reason;  // none: the device can be used
    bool unopened;
  };
  const std::string remedy =
      "Permission denied: the node belongs to group \"54321\" and you are "
      "not in it; run \"sudo usermod -aG 54321 $USER\", then log in again";
  FakeKernel::Node sg;
  sg.mode = S_IFCHR | 0660;
  sg.rdev = makedev(21, 1);
  sg.version = 30536;
  FakeKernel::Node null = sg;
  null.rdev = makedev(1, 3);
  null.version = -ENOTTY;
  FakeKernel::Node disk;
  disk.rdev = makedev(8, 0);
  FakeKernel::Node denied;
  denied.readWriteError = EACCES;
  denied.readOnlyError = EACCES;
  denied.gid = kStrangeGroup;
  FakeKernel::Node deniedByRoot = denied;
  deniedByRoot.gid = 0;
  FakeKernel::Node notPermitted = denied;
  notPermitted.readWriteError = EPERM;
  FakeKernel::Node readOnly;
  readOnly.readWriteError = EACCES;
  FakeKernel::Node busy;
  busy.readWriteError = EBUSY;
  FakeKernel::Node unsearchable;
  unsearchable.statError = EACCES;
  FakeKernel::Node file;
  file.mode = S_IFREG | 0644;
  FakeKernel::Node folder;
  folder.mode = S_IFDIR | 0755;
  FakeKernel::Node pipe;
  pipe.mode = S_IFIFO | 0600;
  FakeKernel::Node deniedSg = sg;
  deniedSg.readWriteError = EACCES;
  deniedSg.readOnlyError = EACCES;
  deniedSg.gid = kStrangeGroup;

  const std::string notOptical =
      "not an optical drive (neither a CD-ROM block device such as /dev/sr0 nor a SCSI "
      "generic node such as /dev/sg1)";
  for (const Case& c : {
           Case{"a CD-ROM block device", {}, std::nullopt, false},
           Case{"an sg node", sg, std::nullopt, false},
           Case{"read-only is enough to list it", readOnly, std::nullopt, false},
           Case{"/dev/null", null, notOptical, false},
           Case{"a disk", disk, notOptical, false},
           Case{"no permission", denied, remedy, true},
           Case{"an sg node without permission", deniedSg, remedy, true},
           Case{"not permitted", notPermitted,
                "Operation not permitted: the node belongs to group \"54321\" and you are not in "
                "it; run \"sudo usermod -aG 54321 $USER\", then log in again",
                true},
           Case{"root's own node", deniedByRoot,
                "Permission denied: the node belongs to root and group root", true},
           Case{"a folder on the way cannot be entered", unsearchable, "Permission denied", true},
           Case{"busy", busy,
                "busy: another program holds it open exclusively (a burning program?); close it "
                "and try again",
                true},
           Case{"a file", file, "a file, not a device", false},
           Case{"a folder", folder, "a folder, not a device", false},
           Case{"a pipe", pipe, "a pipe or socket, not a device", false},
       }) {
    SCOPED_TRACE(c.name);
    FakeKernel kernel;
    kernel.nodes["/dev/drive"] = c.node;
    const auto problem = platform::CheckDevicePath(kernel, "/dev/drive");
    ASSERT_EQ(problem.has_value(), c.reason.has_value());
    if (problem) {
      EXPECT_EQ(problem->device, "/dev/drive");
      EXPECT_EQ(problem->reason, *c.reason);
      EXPECT_EQ(problem->unopened, c.unopened);
    }
    EXPECT_TRUE(kernel.OpenDescriptors().empty());
    // Nothing is sent to a device that is not known to be a drive.
    EXPECT_TRUE(kernel.sgIos.empty());
  }
}

TEST(CheckDevicePath, AMissingPathIsNoSuchFile) {
  FakeKernel kernel;
  const auto problem = platform::CheckDevicePath(kernel, "/dev/sr9");
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->reason, "no such file");
  EXPECT_FALSE(problem->unopened);
  EXPECT_TRUE(kernel.opens.empty());
}

TEST(DiagnoseDrives, ListsEveryDriveThatCannotBeOpenedWithTheReason) {
  FakeKernel kernel;
  kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0", "sg0");
  kernel.AddBlockDevice("sr1", "5", "../../../0:0:1:0", "sg1");
  kernel.AddBlockDevice("sr2", "5", "../../../0:0:2:0");
  kernel.nodes["/dev/sr1"].readWriteError = EACCES;
  kernel.nodes["/dev/sr1"].readOnlyError = EACCES;
  kernel.nodes["/dev/sr1"].gid = kStrangeGroup;
  const auto problems = platform::DiagnoseDrives(kernel);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].device, "/dev/sr1");
  EXPECT_EQ(problems[0].reason,
            "Permission denied: the node belongs to group \"54321\" and you are not in it; run "
            "\"sudo usermod -aG 54321 $USER\", then log in again");
  EXPECT_TRUE(problems[0].unopened);
  // A drive that opens but lacks its sg node works with less: a problem, but listed.
  EXPECT_EQ(problems[1].device, "/dev/sr2");
  EXPECT_FALSE(problems[1].unopened);
  EXPECT_TRUE(kernel.OpenDescriptors().empty());
}

}  // namespace
