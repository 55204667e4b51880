// Drive letters and the pass-through device on a Wine prefix whose D: is a CD-ROM drive.
// Wine's mount manager owns \\.\D:: it opens, but answers neither SCSI request (error 50).
#include <gtest/gtest.h>

#include "media/drive_kind.h"
#include "platform/windows_api.h"
#include "text/fixed_text.h"
#include "wine/win32_test_support.h"

namespace {

using platform::DriveType;

TEST(Win32DriveLetters, TheSystemListsItsRootsWithTheirTypes) {
  win32_test::RealSystem real;
  EXPECT_EQ(real.system->PlatformId(), 2u);
  const auto roots = real.system->LogicalDriveRoots();
  ASSERT_TRUE(roots.has_value());
  EXPECT_NE(std::find(roots->begin(), roots->end(), "C:\\"), roots->end());
  EXPECT_NE(std::find(roots->begin(), roots->end(), "D:\\"), roots->end());
  EXPECT_EQ(real.system->GetDriveType("C:\\"), DriveType::Fixed);
  EXPECT_EQ(real.system->GetDriveType("D:\\"), DriveType::Cdrom);
  EXPECT_EQ(real.system->GetDriveType("Q:\\"), DriveType::NoRootDir);
}

TEST(Win32DriveLetters, TheLetterDeviceOpensButRefusesScsiRequests) {
  win32_test::RealSystem real;
  auto device = real.system->OpenDevice("D:\\");
  ASSERT_NE(device, nullptr);

  platform::ScsiAddress address;
  EXPECT_FALSE(device->GetScsiAddress(address));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));

  uint8_t buffer[96] = {};
  platform::PassThroughRequest inquiry;
  inquiry.CdbLength = 12;
  inquiry.SenseInfoLength = 24;
  inquiry.DataIn = 1;
  inquiry.DataTransferLength = sizeof buffer;
  inquiry.TimeOutValue = 10;
  inquiry.DataBuffer = buffer;
  inquiry.Cdb[0] = 0x12;
  inquiry.Cdb[4] = sizeof buffer;
  EXPECT_FALSE(device->PassThrough(inquiry));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(inquiry.DataTransferLength, 0u);
  EXPECT_EQ(inquiry.Sense[2], 0);

  EXPECT_EQ(real.system->OpenDevice("Q:\\"), nullptr);
}

// Wine's own ASPI manager finds no drive, so the list is made by pass-through: the letter
// whose address cannot be asked gets the first substitute adapter number, and a drive that
// answers no INQUIRY is listed without a name.
TEST(Win32DriveLetters, EnumerationListsTheLetterWithASubstituteAddress) {
  win32_test::RealSystem real;
  const auto device = media::CreateDevice(*real.system);
  ASSERT_EQ(device->GetDriveCount(), 1);
  const device::DriveEntry& entry = *device->GetDriveEntry(0);
  EXPECT_EQ(text::TextOf(entry.RootPath), "D:\\");
  EXPECT_FALSE(entry.ViaAspi);
  EXPECT_EQ(entry.Adapter, 2);
  EXPECT_EQ(entry.Target, 0);
  EXPECT_EQ(entry.Bus, 0);
  EXPECT_EQ(text::TextOf(entry.Vendor), "");
  EXPECT_FALSE(entry.WritesCdR);
  EXPECT_TRUE(real.messages.shown.empty());
}

}  // namespace
