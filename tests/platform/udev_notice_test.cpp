// udev's events as recorded from real systems, and foreign and malformed ones: what each
// tells the watch, and whether the kernel polls a drive itself.
#include "platform/linux/udev_notice.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/fake_kernel.h"
#include "platform/linux/linux_drive_events.h"

namespace {

using platform::DriveNoticeKind;
using platform::UdevProperties;

UdevProperties SrChange(const std::string& flag) {
  UdevProperties event{{"ACTION", "change"},
                       {"SUBSYSTEM", "block"},
                       {"DEVTYPE", "disk"},
                       {"DEVNAME", "/dev/sr0"},
                       {"MAJOR", "11"},
                       {"MINOR", "0"},
                       {"SEQNUM", "4711"},
                       {"ID_CDROM", "1"},
                       {"DEVPATH",
                        "/devices/pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/"
                        "1:0:0:0/block/sr0"}};
  if (!flag.empty()) event[flag] = "1";
  return event;
}

TEST(UdevNotice, RecordedAndHostileEvents) {
  struct Case {
    const char* name;
    UdevProperties event;
    std::optional<DriveNoticeKind> kind;
    std::string root;
  };
  auto with = [](UdevProperties event, const std::string& key, const std::string& value) {
    if (value.empty()) {
      event.erase(key);
    } else {
      event[key] = value;
    }
    return event;
  };
  const UdevProperties mediaChange = SrChange("DISK_MEDIA_CHANGE");
  const Case cases[] = {
      {"media change of sr0", mediaChange, DriveNoticeKind::MediaChanged, "sr0"},
      {"eject request of sr0", SrChange("DISK_EJECT_REQUEST"), DriveNoticeKind::EjectRequest,
       "sr0"},
      {"sr1 by its number", with(with(mediaChange, "MINOR", "1"), "DEVNAME", "/dev/sr1"),
       DriveNoticeKind::MediaChanged, "sr1"},
      {"a change udev's rules made, no flag", SrChange(""), std::nullopt, ""},
      {"flag not 1", with(mediaChange, "DISK_MEDIA_CHANGE", "0"), std::nullopt, ""},
      {"sr0 added", with(SrChange(""), "ACTION", "add"), DriveNoticeKind::DriveAdded, "sr0"},
      {"sr0 removed", with(SrChange(""), "ACTION", "remove"), DriveNoticeKind::DriveRemoved, "sr0"},
      {"sr0 bound to its driver", with(SrChange(""), "ACTION", "bind"), std::nullopt, ""},
      {"a hard disk's media change",
       {{"ACTION", "change"},
        {"SUBSYSTEM", "block"},
        {"DEVTYPE", "disk"},
        {"DEVNAME", "/dev/sdb"},
        {"MAJOR", "8"},
        {"MINOR", "16"},
        {"DISK_MEDIA_CHANGE", "1"}},
       std::nullopt,
       ""},
      {"a partition of the drive", with(mediaChange, "DEVTYPE", "partition"), std::nullopt, ""},
      {"bogus device path: the number decides", with(mediaChange, "DEVPATH", "/sdb"),
       DriveNoticeKind::MediaChanged, "sr0"},
      {"name and number disagree", with(mediaChange, "DEVNAME", "/dev/sdb"), std::nullopt, ""},
      {"no number", with(mediaChange, "MINOR", ""), std::nullopt, ""},
      {"number not a number", with(mediaChange, "MINOR", "0x1"), std::nullopt, ""},
      {"negative number", with(mediaChange, "MINOR", "-1"), std::nullopt, ""},
      {"huge number", with(mediaChange, "MINOR", "99999999999999999999"), std::nullopt, ""},
      {"empty event", {}, std::nullopt, ""},
      {"sg node added",
       {{"ACTION", "add"},
        {"SUBSYSTEM", "scsi_generic"},
        {"DEVNAME", "/dev/sg1"},
        {"MAJOR", "21"},
        {"MINOR", "1"}},
       DriveNoticeKind::DriveAdded,
       ""},
      {"sg node removed",
       {{"ACTION", "remove"}, {"SUBSYSTEM", "scsi_generic"}, {"MAJOR", "21"}, {"MINOR", "1"}},
       DriveNoticeKind::DriveRemoved,
       ""},
      {"sg node with another major",
       {{"ACTION", "add"}, {"SUBSYSTEM", "scsi_generic"}, {"MAJOR", "8"}, {"MINOR", "1"}},
       std::nullopt,
       ""},
      {"a USB stick",
       {{"ACTION", "add"}, {"SUBSYSTEM", "usb"}, {"MAJOR", "189"}, {"MINOR", "3"}},
       std::nullopt,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto notice = platform::NoticeFromUdev(c.event);
    ASSERT_EQ(notice.has_value(), c.kind.has_value());
    if (!notice) continue;
    EXPECT_EQ(notice->kind, *c.kind);
    EXPECT_EQ(notice->root, c.root);
  }
}

TEST(UdevNotice, WhetherTheKernelPollsTheDrive) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> files;
    bool polls;
  };
  const std::string events = "/sys/block/sr0/events";
  const std::string interval = "/sys/block/sr0/events_poll_msecs";
  const std::string byDefault = "/sys/module/block/parameters/events_dfl_poll_msecs";
  const Case cases[] = {
      {"own interval", {{events, "media_change eject_request"}, {interval, "2000"}}, true},
      {"default interval set by udev's rules",
       {{events, "media_change eject_request"}, {interval, "-1"}, {byDefault, "2000"}},
       true},
      {"default interval off (the kernel's own default)",
       {{events, "media_change eject_request"}, {interval, "-1"}, {byDefault, "0"}},
       false},
      {"polling switched off for the drive", {{events, "media_change"}, {interval, "0"}}, false},
      {"no media change events", {{events, ""}, {interval, "2000"}}, false},
      {"no events file (an old kernel)", {{interval, "2000"}}, false},
      {"no interval file", {{events, "media_change"}}, false},
      {"garbage interval", {{events, "media_change"}, {interval, "often"}}, false},
      {"default unreadable", {{events, "media_change"}, {interval, "-1"}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakeKernel kernel;
    kernel.files = c.files;
    EXPECT_EQ(platform::KernelPollsDrive(kernel, "sr0"), c.polls);
  }
}

}  // namespace

namespace {

// Recorded events, handed over as udev's monitor would hand them.
class RecordedFeed : public platform::UdevFeed {
 public:
  explicit RecordedFeed(std::vector<UdevProperties> events) : events_(std::move(events)) {}
  int Descriptor() override { return -1; }
  std::vector<UdevProperties> Receive() override { return std::exchange(events_, {}); }

 private:
  std::vector<UdevProperties> events_;
};

TEST(LinuxDriveEvents, NoticesOfTheDrivesOnlyInTheirOrder) {
  fake::FakeKernel kernel;
  kernel.files = {{"/sys/block/sr0/events", "media_change eject_request"},
                  {"/sys/block/sr0/events_poll_msecs", "2000"},
                  {"/sys/block/sr1/events", "media_change eject_request"},
                  {"/sys/block/sr1/events_poll_msecs", "0"}};
  UdevProperties foreign{{"ACTION", "change"}, {"SUBSYSTEM", "block"}, {"DEVTYPE", "disk"},
                         {"MAJOR", "8"},       {"MINOR", "0"},         {"DISK_MEDIA_CHANGE", "1"}};
  UdevProperties added = SrChange("");
  added["ACTION"] = "add";
  auto events =
      platform::LinuxDriveEvents(kernel,
                                 std::make_unique<RecordedFeed>(std::vector<UdevProperties>{
                                     SrChange("DISK_EJECT_REQUEST"), foreign, SrChange(""),
                                     SrChange("DISK_MEDIA_CHANGE"), added}),
                                 "");
  const auto notices = events->Wait(0);
  ASSERT_EQ(notices.size(), 3u);
  EXPECT_EQ(notices[0].kind, DriveNoticeKind::EjectRequest);
  EXPECT_EQ(notices[1].kind, DriveNoticeKind::MediaChanged);
  EXPECT_EQ(notices[2].kind, DriveNoticeKind::DriveAdded);
  EXPECT_TRUE(events->Wait(0).empty());
  EXPECT_TRUE(events->TellsHotPlug());
  EXPECT_TRUE(events->SystemWatches("sr0"));
  EXPECT_FALSE(events->SystemWatches("sr1"));  // its polling is off: it must be asked
  EXPECT_TRUE(events->Problem().empty());
}

TEST(LinuxDriveEvents, MonitorThatCannotBeOpenedFallsBackToAsking) {
  fake::FakeKernel kernel;
  kernel.files = {{"/sys/block/sr0/events", "media_change"},
                  {"/sys/block/sr0/events_poll_msecs", "2000"}};
  auto events = platform::LinuxDriveEvents(
      kernel, nullptr, "udev's monitor could not be opened: Protocol not supported");
  EXPECT_EQ(events->Problem(),
            "udev's monitor could not be opened: Protocol not supported; every drive is asked "
            "every 2 seconds instead");
  EXPECT_FALSE(events->SystemWatches("sr0"));
  EXPECT_FALSE(events->TellsHotPlug());
  EXPECT_TRUE(events->Wait(0).empty());
}

}  // namespace
