// What a WM_DEVICECHANGE tells of drives and discs, and the media change counts read in place
// of messages.
#include "platform/win32/device_change.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <cstring>
#include <vector>

#include "device_messages.h"
#include "platform/win32/win32_drive_events.h"

namespace {

using namespace device_messages;

using platform::DriveNotice;
using platform::DriveNoticeKind;
using platform::win32::MediaCount;

constexpr DWORD kD = 1u << 3;
constexpr DWORD kE = 1u << 4;
constexpr DWORD kZ = 1u << 25;

TEST(DeviceChange, TellsWhatEachMessageSaysOfDrivesAndDiscs) {
  DEV_BROADCAST_VOLUME discIn = Volume(kE, DBTF_MEDIA);
  DEV_BROADCAST_VOLUME twoDiscs = Volume(kD | kZ, DBTF_MEDIA);
  DEV_BROADCAST_VOLUME letter = Volume(kE, 0);
  DEV_BROADCAST_VOLUME shortVolume = Volume(kE, DBTF_MEDIA);
  shortVolume.dbcv_size = sizeof(DEV_BROADCAST_HDR);
  DEV_BROADCAST_DEVICEINTERFACE_W cdrom = Interface(kCdrom);
  DEV_BROADCAST_DEVICEINTERFACE_W disk = Interface(kDisk);
  DEV_BROADCAST_HDR port{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_PORT, 0};
  struct Case {
    const char* name;
    WPARAM event;
    const void* data;
    std::vector<std::string> told;
  };
  const Case cases[] = {
      {"a disc in E:", DBT_DEVICEARRIVAL, &discIn, {"media E:\\"}},
      {"the disc out of E:", DBT_DEVICEREMOVECOMPLETE, &discIn, {"media E:\\"}},
      {"discs in D: and Z:", DBT_DEVICEARRIVAL, &twoDiscs, {"media D:\\", "media Z:\\"}},
      {"the drive letter E: comes", DBT_DEVICEARRIVAL, &letter, {"added E:\\"}},
      {"the drive letter E: goes", DBT_DEVICEREMOVECOMPLETE, &letter, {"removed E:\\"}},
      {"a CD-ROM drive plugged in", DBT_DEVICEARRIVAL, &cdrom, {"added "}},
      {"a CD-ROM drive pulled out", DBT_DEVICEREMOVECOMPLETE, &cdrom, {"removed "}},
      {"a hard disk plugged in", DBT_DEVICEARRIVAL, &disk, {}},
      {"a serial port", DBT_DEVICEARRIVAL, &port, {}},
      {"a volume broadcast cut short", DBT_DEVICEARRIVAL, &shortVolume, {}},
      {"asked whether E: may go", DBT_DEVICEQUERYREMOVE, &discIn, {}},
      {"the device tree changed", DBT_DEVNODES_CHANGED, nullptr, {}},
      {"an arrival without its broadcast", DBT_DEVICEARRIVAL, nullptr, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(
        Told(platform::win32::NoticesOfDeviceChange(c.event, reinterpret_cast<LPARAM>(c.data))),
        c.told);
  }
}

TEST(DeviceChange, AChangedMediaCountIsTold) {
  using Counts = std::map<std::string, std::optional<MediaCount>>;
  struct Case {
    const char* name;
    std::optional<MediaCount> before;
    std::optional<MediaCount> now;
    bool told;
    std::optional<MediaCount> kept;
  };
  const MediaCount one{true, 1};
  const Case cases[] = {
      {"the same disc", one, one, false, one},
      {"another disc", one, MediaCount{true, 2}, true, MediaCount{true, 2}},
      {"the disc taken out", one, MediaCount{false, 0}, true, MediaCount{false, 0}},
      {"a disc put in", MediaCount{false, 0}, MediaCount{true, 2}, true, MediaCount{true, 2}},
      {"the count cannot be read now", one, std::nullopt, false, one},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Counts last{{"E:\\", c.before}};
    const auto notices = platform::win32::CountChanges(
        last, [&](const std::string& root) { return root == "E:\\" ? c.now : std::nullopt; });
    EXPECT_EQ(Told(notices),
              c.told ? std::vector<std::string>{"media E:\\"} : std::vector<std::string>{});
    EXPECT_EQ(last["E:\\"], c.kept);
  }
}

}  // namespace
