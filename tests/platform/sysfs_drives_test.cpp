// Drive roots, drive types and SCSI addresses as the Linux backend reads them from sysfs.
#include <fcntl.h>

#include <gtest/gtest.h>

#include "platform/fake_kernel.h"
#include "platform/linux/linux_system.h"
#include "platform/sim/sim_system.h"

namespace {

using fake::FakeKernel;

std::unique_ptr<platform::System> SystemOver(FakeKernel& kernel) {
  static sim::RecordingMessageSink sink;
  return platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
}

TEST(SysfsDrives, RootsAreSrDevicesInNumericOrder) {
  FakeKernel kernel;
  for (const char* name : {"sr10", "sda", "sr2", "loop0", "sr1", "sr", "srx", "sr1a", "sda1",
                           "sr123456", "nvme0n1", "sr0"}) {
    kernel.AddBlockDevice(name, "5", "../../../0:0:0:0");
  }
  auto system = SystemOver(kernel);
  const auto roots = system->LogicalDriveRoots();
  ASSERT_TRUE(roots.has_value());
  EXPECT_EQ(*roots, (std::vector<std::string>{"sr0", "sr1", "sr2", "sr10"}));
}

TEST(SysfsDrives, UnreadableBlockClassIsAnEmptyList) {
  FakeKernel kernel;
  auto system = SystemOver(kernel);
  const auto roots = system->LogicalDriveRoots();
  ASSERT_TRUE(roots.has_value());
  EXPECT_TRUE(roots->empty());
}

TEST(SysfsDrives, OnlyPeripheralType5IsACdrom) {
  struct Case {
    const char* type;  // null: no type file
    platform::DriveType expected;
  };
  using platform::DriveType;
  for (const Case& c : {Case{"5", DriveType::Cdrom}, Case{"0", DriveType::NoRootDir},
                        Case{"4", DriveType::NoRootDir}, Case{"7", DriveType::NoRootDir},
                        Case{"15", DriveType::NoRootDir}, Case{"", DriveType::NoRootDir},
                        Case{"5x", DriveType::NoRootDir}, Case{"-5", DriveType::NoRootDir},
                        Case{nullptr, DriveType::NoRootDir}}) {
    SCOPED_TRACE(c.type ? c.type : "(no type file)");
    FakeKernel kernel;
    kernel.AddBlockDevice("sr0", c.type, "../../../0:0:0:0");
    EXPECT_EQ(SystemOver(kernel)->GetDriveType("sr0"), c.expected);
  }
}

TEST(SysfsDrives, AddressFromTheDeviceLink) {
  struct Case {
    const char* link;  // empty: no link
    bool found;
    uint8_t port = 0, path = 0, target = 0, lun = 0;
  };
  for (const Case& c : {
           Case{"../../../1:0:0:0", true, 1, 0, 0, 0},
           Case{"../../devices/pci0000:00/0000:00:01.1/ata2/host1/target1:0:1/1:0:1:0", true, 1, 0,
                1, 0},
           Case{"2:3:4:5", true, 2, 3, 4, 5},
           Case{"../../../255:0:0:7", true, 255, 0, 0, 7},
           Case{"../../../256:0:0:0", false},
           Case{"../../../0:0:0:4294967296", false},
           Case{"../../../0:0:0", false},
           Case{"../../../0:0:0:0:0", false},
           Case{"../../../0:0:0:x", false},
           Case{"../../../0::0:0", false},
           Case{"../../../0:0:0:0/", false},
           Case{"../../../ 1:0:0:0", false},
           Case{"../../../-1:0:0:0", false},
           Case{"../../../+1:0:0:0", false},
           Case{"../../../target1:0:0", false},
           Case{"", false},
       }) {
    SCOPED_TRACE(c.link);
    FakeKernel kernel;
    kernel.AddBlockDevice("sr0", "5", c.link);
    auto system = SystemOver(kernel);
    auto handle = system->OpenDevice("sr0");
    ASSERT_NE(handle, nullptr);
    platform::ScsiAddress address;
    address.PortNumber = 99;
    ASSERT_EQ(handle->GetScsiAddress(address), c.found);
    if (!c.found) continue;
    EXPECT_EQ(address.Length, 8);
    EXPECT_EQ(address.PortNumber, c.port);
    EXPECT_EQ(address.PathId, c.path);
    EXPECT_EQ(address.TargetId, c.target);
    EXPECT_EQ(address.Lun, c.lun);
  }
}

TEST(SysfsDrives, OpenIsReadWriteNonBlockingWithReadOnlyFallback) {
  struct Case {
    const char* name;
    FakeKernel::Node node;
    bool opens;
    int readOnlyTries;
  };
  for (const Case& c :
       {Case{"read-write", {0, 0}, true, 0}, Case{"no write permission", {EACCES, 0}, true, 1},
        Case{"read-only medium", {EROFS, 0}, true, 1},
        Case{"no permission at all", {EACCES, EACCES}, false, 1},
        Case{"busy", {EBUSY, 0}, false, 0}, Case{"no such device", {ENXIO, 0}, false, 0}}) {
    SCOPED_TRACE(c.name);
    FakeKernel kernel;
    kernel.AddBlockDevice("sr3", "5", "../../../0:0:3:0");
    kernel.nodes["/dev/sr3"] = c.node;
    auto system = SystemOver(kernel);
    EXPECT_EQ(system->OpenDevice("sr3") != nullptr, c.opens);
    ASSERT_GE(kernel.opens.size(), 1u);
    EXPECT_EQ(kernel.opens[0].path, "/dev/sr3");
    EXPECT_EQ(kernel.opens[0].flags & (O_ACCMODE | O_NONBLOCK), O_RDWR | O_NONBLOCK);
    ASSERT_EQ(kernel.opens.size(), 1u + c.readOnlyTries);
    if (c.readOnlyTries > 0) {
      EXPECT_EQ(kernel.opens[1].flags & (O_ACCMODE | O_NONBLOCK), O_RDONLY | O_NONBLOCK);
    }
    // A handle that was made closes its descriptor; one that was not leaves none open.
    EXPECT_TRUE(kernel.OpenDescriptors().empty());
  }
}

TEST(SysfsDrives, RootsThatNameNoDeviceAreNeverOpened) {
  FakeKernel kernel;
  kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0");
  auto system = SystemOver(kernel);
  for (const char* root : {"", "../sr0", "sr0/..", "/dev/sr0"}) {
    EXPECT_EQ(system->OpenDevice(root), nullptr) << root;
  }
  EXPECT_TRUE(kernel.opens.empty());
}

}  // namespace
