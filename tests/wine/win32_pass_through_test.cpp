// The pass-through request as Wine's SG_IO path carries it (\\?\unix\<file>, answered by
// sg_preload.cpp from fixtures/sr0_dvd_r.json; its vendor command DFh ends in CHECK CONDITION
// without sense data): the native block, the count read back, the sense at its offset.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/windows_api.h"

#include "platform/files/win32/wide_text.h"
#include "platform/win32/device_check.h"
#include "wine/win32_test_support.h"

namespace {

struct Command {
  platform::PassThroughRequest request;
  std::array<uint8_t, 512> buffer{};

  Command(std::initializer_list<uint8_t> cdb, platform::Direction direction, uint32_t length) {
    std::copy(cdb.begin(), cdb.end(), request.Cdb.begin());
    request.CdbLength = 12;
    request.SenseInfoLength = 24;
    request.DataIn = static_cast<uint8_t>(direction);
    request.DataTransferLength = length;
    request.TimeOutValue = 30;
    request.DataBuffer = length > 0 ? buffer.data() : nullptr;
  }
};

std::unique_ptr<platform::DeviceHandle> OpenEmulatedDrive(platform::System& system) {
  const char* device = std::getenv("QUILLRATE_TEST_DEVICE");
  return device != nullptr ? system.OpenDeviceAt(device) : nullptr;
}

TEST(Win32PassThrough, DataInComesBackWithTheCountTheDriverMoved) {
  win32_test::RealSystem real;
  auto drive = OpenEmulatedDrive(*real.system);
  ASSERT_NE(drive, nullptr);
  Command inquiry({0x12, 0, 0, 0, 96}, platform::Direction::In, 96);
  ASSERT_TRUE(drive->PassThrough(inquiry.request));
  EXPECT_EQ(inquiry.request.ScsiStatus, 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&inquiry.buffer[16]), 14), "DVD-RW DU-1620");

  // READ DISC INFORMATION: the disc sends its 34 bytes of 256 asked for.
  Command info({0x51, 0, 0, 0, 0, 0, 0, 0x01, 0x00}, platform::Direction::In, 256);
  ASSERT_TRUE(drive->PassThrough(info.request));
  const uint32_t sent = uint32_t{info.buffer[0]} << 8 | info.buffer[1];
  EXPECT_EQ(info.request.DataTransferLength, sent + 2);
  EXPECT_LT(info.request.DataTransferLength, 256u);
}

TEST(Win32PassThrough, ARefusedCommandBringsItsSense) {
  win32_test::RealSystem real;
  auto drive = OpenEmulatedDrive(*real.system);
  ASSERT_NE(drive, nullptr);
  // MODE SENSE of a page the drive does not have.
  Command sense({0x5A, 0, 0x3E, 0, 0, 0, 0, 0, 24}, platform::Direction::In, 24);
  ASSERT_TRUE(drive->PassThrough(sense.request));
  EXPECT_EQ(sense.request.ScsiStatus, 0x02);
  EXPECT_EQ(sense.request.Sense[2] & 0x0F, 0x05);
  EXPECT_EQ(sense.request.Sense[12], 0x24);
}

// A CHECK CONDITION without sense data cannot be told from a broken transfer: a failed call.
TEST(Win32PassThrough, ACheckConditionWithoutSenseIsAFailedCall) {
  win32_test::RealSystem real;
  auto drive = OpenEmulatedDrive(*real.system);
  ASSERT_NE(drive, nullptr);
  Command vendor({0xDF, 0x00, 0x03, 0x01}, platform::Direction::In, 12);
  EXPECT_FALSE(drive->PassThrough(vendor.request));
  EXPECT_EQ(vendor.request.ScsiStatus, 0x02);
  EXPECT_EQ(vendor.request.Sense[2], 0);
}

// Why a device cannot be used, as the drive list and --device tell it: the system's message
// and, where rights or another program are the cause, the remedy.
TEST(Win32DeviceCheck, EachFailureIsToldWithTheSystemsReason) {
  const char* device = std::getenv("QUILLRATE_TEST_DEVICE");
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(platform::win32::CheckDevice(device), std::nullopt) << "the emulated drive works";

  // Another program holds the drive and shares it with nobody.
  const HANDLE held = CreateFileW(platform::Widen(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const auto busy = platform::win32::CheckDevice(device);
  CloseHandle(held);
  ASSERT_TRUE(busy.has_value());
  EXPECT_TRUE(busy->unopened);
  EXPECT_EQ(busy->device, device);
  EXPECT_EQ(busy->reason,
            "cannot be opened for commands: " + platform::Win32ErrorText(ERROR_SHARING_VIOLATION) +
                " (another program holds the drive, a burning program?; close it "
                "and try again)");

  const auto missing = platform::win32::CheckDevice("\\\\.\\CdRom7");
  ASSERT_TRUE(missing.has_value());
  EXPECT_FALSE(missing->unopened) << "a missing drive is no question of rights";
  EXPECT_EQ(missing->reason.rfind("no such device: ", 0), 0u) << missing->reason;

  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  const auto folder = platform::win32::CheckDevice(windows);
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->reason, "a folder, not a device");
  EXPECT_FALSE(folder->unopened);
}

TEST(Win32DeviceCheck, AMissingRightNamesWhatTheProgramNeeds) {
  for (const DWORD error : {DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_PRIVILEGE_NOT_HELD}}) {
    const std::string reason = platform::win32::ExplainAccessError(error);
    EXPECT_EQ(reason.rfind(platform::Win32ErrorText(error), 0), 0u) << reason;
    EXPECT_NE(reason.find("reading and writing"), std::string::npos) << reason;
    EXPECT_NE(reason.find("run it as an administrator"), std::string::npos) << reason;
  }
  // Any other error is the system's message alone.
  EXPECT_EQ(platform::win32::ExplainAccessError(ERROR_GEN_FAILURE),
            platform::Win32ErrorText(ERROR_GEN_FAILURE));
}

}  // namespace
