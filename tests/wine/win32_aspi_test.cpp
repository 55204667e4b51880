// The ASPI client against the stand-in WNASPI32.DLL beside this program (loaded instead of
// Wine's own with WINEDLLOVERRIDES=wnaspi32=n), which serves fixtures/aspi_machine.json:
// a CD-R writer at adapter 0, target 1 and a DVD writer at adapter 1, target 0.
#include <gtest/gtest.h>

#include "media/drive_kind.h"
#include "platform/win32/aspi_library.h"
#include "text/fixed_text.h"
#include "wine/win32_test_support.h"

namespace {

TEST(Win32Aspi, TheStandInManagerIsLoadedAndReady) {
  win32_test::RealSystem real;
  auto library = real.system->LoadAspiLibrary("WNASPI32");
  ASSERT_NE(library, nullptr);
  EXPECT_TRUE(library->HasEntryPoint("GetASPI32SupportInfo"));
  EXPECT_TRUE(library->HasEntryPoint("SendASPI32Command"));
  EXPECT_FALSE(library->HasEntryPoint("GetASPI32Buffer"));
  const uint32_t support = library->GetASPI32SupportInfo();
  EXPECT_EQ(support >> 8 & 0xFF, 0x01u);  // ready
  EXPECT_EQ(support & 0xFF, 2u);          // host adapters
  EXPECT_EQ(real.system->LoadAspiLibrary("NOSUCHLIB"), nullptr);
}

TEST(Win32Aspi, TheDeviceListsWhatTheManagerSees) {
  win32_test::RealSystem real;
  const auto device = media::CreateDevice(*real.system);
  EXPECT_TRUE(device->UseAspi());
  ASSERT_EQ(device->GetDriveCount(), 2);
  const struct {
    int adapter, target;
    const char* product;
  } expected[] = {{0, 1, "DVD-RW CDR-1 CMC"}, {1, 0, "DVD-RW DU-1621  "}};
  for (int i = 0; i < 2; ++i) {
    const device::DriveEntry& entry = *device->GetDriveEntry(static_cast<unsigned>(i));
    EXPECT_TRUE(entry.ViaAspi);
    EXPECT_EQ(entry.Adapter, expected[i].adapter);
    EXPECT_EQ(entry.Target, expected[i].target);
    EXPECT_EQ(entry.Lun, 0);
    EXPECT_EQ(text::TextOf(entry.RootPath), "");
    EXPECT_EQ(text::TextOf(entry.Product), expected[i].product);
    EXPECT_TRUE(entry.WritesCdR);
  }
  EXPECT_TRUE(real.messages.shown.empty());
}

// Every command completes later, on the manager's thread, and signals the request's event.
TEST(Win32Aspi, CommandsCompleteThroughTheirEvent) {
  win32_test::RealSystem real;
  const auto device = media::CreateDevice(*real.system);
  ASSERT_TRUE(device->SelectDrive(1));
  ASSERT_TRUE(device->ModeSense10(0, 0, 0x2A, 42, 0));
  EXPECT_EQ(device->BytesTransferred(), 42u);  // the requested length under ASPI
  EXPECT_EQ(device->Answer().At(8) & 0x3F, 0x2A);
  EXPECT_TRUE(device->TestUnitReady());  // no data
  // A command the drive fails carries the drive's sense through the request's sense area.
  ASSERT_TRUE(device->SelectDrive(0));
  EXPECT_FALSE(device->ReadDiscStructure(0, 0, 0x0E, 50, 0, 0));
  EXPECT_EQ(device->BytesTransferred(), 0u);
  EXPECT_TRUE(device->SenseKeyIs(5));
}

// Without an event the client sees the completion in the request block itself.
TEST(Win32Aspi, ARequestWithoutAnEventIsWaitedFor) {
  win32_test::RealSystem real;
  auto library = real.system->LoadAspiLibrary("WNASPI32");
  ASSERT_NE(library, nullptr);
  std::array<uint8_t, 96> buffer{};
  platform::AspiRequest request;
  request.Command = platform::kAspiExecuteScsiCommand;
  request.HaId = 1;
  request.Target = 0;
  request.Flags = platform::kAspiFlagDataIn;
  request.BufLen = 96;
  request.BufPointer = buffer.data();
  request.SenseLen = 14;
  request.CdbLen = 12;
  request.Cdb = {0x12, 0, 0, 0, 96};
  library->SendASPI32Command(request);
  EXPECT_EQ(request.Status, platform::kAspiCompleted);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&buffer[16]), 14), "DVD-RW DU-1621");

  request.Target = 5;  // nothing there
  library->SendASPI32Command(request);
  EXPECT_EQ(request.Status, 0x82);
}

}  // namespace
