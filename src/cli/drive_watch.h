// What the terminal is told while one drive is asked about its disc: while the drive is
// waited for, how long so far (on a terminal only), and afterwards whether the drive stopped
// answering on the way.
#pragma once

#include <string>

#include "device/atapi_device.h"

namespace cli {

class Session;

class DriveWatch {
 public:
  DriveWatch(Session& session, device::AtapiDevice& device, int index);
  ~DriveWatch();
  DriveWatch(const DriveWatch&) = delete;
  DriveWatch& operator=(const DriveWatch&) = delete;

  // True, with a message on the error stream, when commands went unanswered since the watch
  // began; `during` names what was being done ("the report").
  bool StoppedAnswering(const std::string& during);

 private:
  void Show(const device::WaitProgress& progress);

  Session& session_;
  device::AtapiDevice& device_;
  int index_;
  uint32_t unansweredBefore_;
  int shownSecond_ = -1;
  size_t shownLength_ = 0;
};

}  // namespace cli
