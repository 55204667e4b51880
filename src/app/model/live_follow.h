// The window's following of the drives: the drive watcher, run on the window's device thread
// in short slices, turned into what the window needs to hear (a drive came or went, the
// selected drive's disc is ready or gone). The window runs its own query; the watcher itself
// sends TEST UNIT READY only.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "live/drive_state.h"
#include "platform/drive_events.h"
#include "platform/system.h"

namespace device {
class AtapiDevice;
}
namespace live {
class DriveWatcher;
}

namespace app::model {

// The longest one step of the follow keeps the device thread: a press waits at most this long.
inline constexpr uint64_t kFollowSliceMs = 250;

struct LiveNews {
  live::EventKind kind = live::EventKind::Ready;
  std::string root;  // "sr0", "E:\\"
  live::DriveState state = live::DriveState::NoDisc;
  bool newDisc = false;  // a Ready event for a disc not queried yet
};

class LiveFollow {
 public:
  LiveFollow(platform::System& system, std::unique_ptr<platform::DriveEvents> events,
             std::function<std::unique_ptr<device::AtapiDevice>()> openDevice);
  ~LiveFollow();
  LiveFollow(const LiveFollow&) = delete;
  LiveFollow& operator=(const LiveFollow&) = delete;

  // On the device thread: lists the drives and learns what each holds; then, step by step,
  // waits up to one slice for news and handles it.
  std::vector<LiveNews> Start();
  std::vector<LiveNews> Step();
  // Why the system's notices cannot be had and what is done instead; empty when they can.
  std::string Problem() const { return events_->Problem(); }
  // From the window's thread: notices the window received; the follow's wait ends with them.
  void Wake(std::vector<platform::DriveNotice> notices) { events_->Wake(std::move(notices)); }

 private:
  std::unique_ptr<platform::DriveEvents> events_;
  std::unique_ptr<live::DriveWatcher> watcher_;
  std::vector<LiveNews> news_;
};

// The system's notices for a shown window, in real time; where the system gives none, a
// source that only lets time pass (the drives are then asked now and then).
std::unique_ptr<platform::DriveEvents> OpenWindowDriveEvents(platform::System& system);

}  // namespace app::model
