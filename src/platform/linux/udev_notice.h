// What one udev event means for the drives: a notice, or nothing for an event of another
// device, one that is malformed, or one that changes nothing a drive holds.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/drive_events.h"
#include "platform/linux/kernel_calls.h"

namespace platform {

// An event's properties as udev gives them (ACTION, SUBSYSTEM, DEVTYPE, DEVNAME, MAJOR, ...).
using UdevProperties = std::map<std::string, std::string>;

// A change of an sr disk with DISK_MEDIA_CHANGE=1 or DISK_EJECT_REQUEST=1, an sr disk or
// SCSI generic node added or removed. The drive is the one the device number names (SCSI
// CD-ROM major 11, minor N is srN): a device path that says otherwise is not trusted.
std::optional<DriveNotice> NoticeFromUdev(const UdevProperties& event);

// Whether the kernel polls the drive for disc changes itself, so that its events come without
// anyone asking the drive: its events list media_change and its poll interval (or the block
// layer's default, when the drive uses that) is above 0.
bool KernelPollsDrive(KernelCalls& kernel, const std::string& name);

}  // namespace platform
