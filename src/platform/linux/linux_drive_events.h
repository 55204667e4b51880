// The notices of drives and discs on Linux: udev's events, and for each drive whether the
// kernel polls it (when not, the drive must be asked).
#pragma once

#include <memory>

#include "platform/drive_events.h"
#include "platform/linux/kernel_calls.h"
#include "platform/linux/udev_feed.h"

namespace platform {

// From `feed`; with no feed, none come and every drive is asked, and `problem` (why the feed
// could not be had) is said once.
std::unique_ptr<DriveEvents> LinuxDriveEvents(KernelCalls& kernel, std::unique_ptr<UdevFeed> feed,
                                              const std::string& problem);

}  // namespace platform
