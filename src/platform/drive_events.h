// What the system tells about drives and discs on its own: a drive plugged in or pulled out,
// a disc changed or the eject button pressed. A program that follows the drives waits here
// instead of asking idle drives over and over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class DriveNoticeKind {
  DriveAdded,    // a drive (or its SCSI generic node) appeared: the drive list may have grown
  DriveRemoved,  // a drive went away
  MediaChanged,  // the drive's disc or tray changed; what it holds now must be asked
  EjectRequest,  // someone pressed the drive's eject button; the drive is never ejected for it
};

struct DriveNotice {
  DriveNoticeKind kind = DriveNoticeKind::MediaChanged;
  std::string root;  // the drive root as the drive list names it ("sr0", "E:\\")
};

struct WatchOptions {
  // A simulated machine's clock follows real time while waiting, so a timeline plays at its
  // own pace; off, waiting moves the virtual clock at once (tests, benchmarks).
  bool realTime = true;
  // The program hands the system's device messages to its window over with Wake (the
  // Windows window program): drives plugged in and pulled out are then told.
  bool deviceMessages = false;
};

class DriveEvents {
 public:
  virtual ~DriveEvents() = default;
  // Waits up to `milliseconds` for notices, or until a stop is requested; returns those that
  // came, in order (none when the time ran out).
  virtual std::vector<DriveNotice> Wait(uint32_t milliseconds) = 0;
  // Milliseconds on the source's own clock since it was opened.
  virtual uint64_t NowMs() = 0;
  // Whether the system itself notices disc changes in this drive; when it does not, the drive
  // is asked whether it is ready now and then.
  virtual bool SystemWatches(const std::string& root) = 0;
  // Whether drives being plugged in and pulled out are told; when not, the list of drive roots
  // is compared now and then.
  virtual bool TellsHotPlug() const = 0;
  // Why the system's notices cannot be had and what is done instead, to be said once; empty
  // when they can.
  virtual std::string Problem() const { return {}; }
  // Notices the program received itself (a window's device messages), from any thread: a
  // wait under way ends with them. Sources that learn everything themselves ignore them.
  virtual void Wake(std::vector<DriveNotice> notices) { (void)notices; }
};

}  // namespace platform
