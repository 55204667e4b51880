#include "platform/linux/udev_notice.h"

#include <charconv>

namespace platform {
namespace {

constexpr int kScsiCdromMajor = 11;
constexpr int kScsiGenericMajor = 21;
constexpr int kLargestMinor = 1 << 20;

std::string Property(const UdevProperties& event, const std::string& name) {
  const auto found = event.find(name);
  return found == event.end() ? std::string() : found->second;
}

// A whole decimal number and nothing else; none otherwise.
std::optional<long> Number(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

bool Flag(const UdevProperties& event, const std::string& name) {
  return Property(event, name) == "1";
}

}  // namespace

std::optional<DriveNotice> NoticeFromUdev(const UdevProperties& event) {
  const std::string action = Property(event, "ACTION");
  const std::string subsystem = Property(event, "SUBSYSTEM");
  const auto major = Number(Property(event, "MAJOR"));
  const auto minor = Number(Property(event, "MINOR"));
  if (!major || !minor || *minor < 0 || *minor > kLargestMinor) return std::nullopt;

  if (subsystem == "scsi_generic") {
    // Which SCSI device an sg node belongs to is not in the event; a node added or removed is
    // only a reason to look at the list of drives again, which costs no command.
    if (*major != kScsiGenericMajor) return std::nullopt;
    if (action == "add") return DriveNotice{DriveNoticeKind::DriveAdded, {}};
    if (action == "remove") return DriveNotice{DriveNoticeKind::DriveRemoved, {}};
    return std::nullopt;
  }
  if (subsystem != "block" || Property(event, "DEVTYPE") != "disk") return std::nullopt;
  if (*major != kScsiCdromMajor) return std::nullopt;  // a hard disk, a USB stick, a loop device
  const std::string root = "sr" + std::to_string(*minor);
  // A device name that names another node than the number does: malformed, ignored.
  const std::string name = Property(event, "DEVNAME");
  if (!name.empty() && name != "/dev/" + root && name != root) return std::nullopt;

  if (action == "add") return DriveNotice{DriveNoticeKind::DriveAdded, root};
  if (action == "remove") return DriveNotice{DriveNoticeKind::DriveRemoved, root};
  if (action != "change") return std::nullopt;
  if (Flag(event, "DISK_EJECT_REQUEST")) return DriveNotice{DriveNoticeKind::EjectRequest, root};
  if (Flag(event, "DISK_MEDIA_CHANGE")) return DriveNotice{DriveNoticeKind::MediaChanged, root};
  // A change udev itself made (its rules ran again): nothing in the drive changed.
  return std::nullopt;
}

bool KernelPollsDrive(KernelCalls& kernel, const std::string& name) {
  const std::string block = "/sys/block/" + name;
  const auto events = kernel.ReadFirstLine(block + "/events");
  if (!events || events->find("media_change") == std::string::npos) return false;
  const auto interval = kernel.ReadFirstLine(block + "/events_poll_msecs");
  const auto own = interval ? Number(*interval) : std::nullopt;
  if (!own) return false;
  if (*own > 0) return true;
  if (*own != -1) return false;  // 0: polling is off for this drive
  // -1: the drive polls as often as the block layer's default says.
  const auto fallback = kernel.ReadFirstLine("/sys/module/block/parameters/events_dfl_poll_msecs");
  const auto byDefault = fallback ? Number(*fallback) : std::nullopt;
  return byDefault && *byDefault > 0;
}

}  // namespace platform
