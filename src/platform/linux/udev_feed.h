// The events udev sends after its rules ran, as property lists: from its monitor through
// libudev, or from a recording in tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/linux/udev_notice.h"

namespace platform {

class UdevFeed {
 public:
  virtual ~UdevFeed() = default;
  // Readable when events wait; -1 when the feed has none to wait on.
  virtual int Descriptor() = 0;
  // The events that wait now, without waiting.
  virtual std::vector<UdevProperties> Receive() = 0;
};

// udev's monitor of block disks and SCSI generic nodes; null, with the reason in `problem`,
// when it cannot be opened.
std::unique_ptr<UdevFeed> OpenUdevMonitor(std::string& problem);

}  // namespace platform
