// Follows the drives and their discs: waits for the system's notices, asks a drive what it
// holds only when a notice (or, for a drive the system does not watch, the 2-second poll) says
// something may have changed, tells each change as events, and runs the ordinary disc query
// once a new disc is ready. Never ejects, never locks a tray, never reads a disc to look at it:
// the only command it sends on its own is TEST UNIT READY.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/atapi_device.h"
#include "live/drive_state.h"
#include "platform/drive_events.h"
#include "platform/system.h"

namespace live {

inline constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

// How long a drive is left alone after a notice, so that a burst of notices is asked about
// once; and the longest a stream of notices delays the question.
inline constexpr uint64_t kSettleMs = 300;
inline constexpr uint64_t kLongestSettleMs = 2000;
// A drive the system does not watch is asked this often while it is followed.
inline constexpr uint64_t kPollMs = 2000;
// A disc that is loading is asked about this often, for at most this long.
inline constexpr uint64_t kLoadingPollMs = 1000;
inline constexpr uint64_t kLongestLoadingMs = 240000;
// A drive another program writes with is left alone this long between questions.
inline constexpr uint64_t kBusyPollMs = 5000;
// The same drive's disc is queried at most once in this time, however often it comes and goes.
inline constexpr uint64_t kQueryGapMs = 10000;
// Drives plugged in or pulled out are looked for this long after the notice (a drive brings
// several nodes), or this often where the system tells nothing.
inline constexpr uint64_t kHotPlugSettleMs = 500;
inline constexpr uint64_t kRootPollMs = 2000;
// Nothing to do: wake up this often all the same.
inline constexpr uint64_t kIdleWaitMs = 60000;

struct WatchEvent {
  uint64_t timeMs = 0;
  int index = -1;    // the drive's index in the drive list (--drive N), the last one it had
  std::string root;  // the root the drive list shows ("sr0", "E:\\")
  EventKind kind = EventKind::Ready;
  DriveState state = DriveState::NoDisc;
  const device::DriveEntry* entry = nullptr;  // the drive's identity; null once removed
  bool withReport = false;  // a Ready event after which the query of the disc ran through
};

struct WatcherOptions {
  // Lists the drives (the device layer's enumeration).
  std::function<std::unique_ptr<device::AtapiDevice>()> openDevice;
  // The ordinary query of the disc in the drive at `index`, which the caller keeps; false when
  // it did not run through (the drive stopped answering or went away).
  std::function<bool(device::AtapiDevice&, int index)> query;
  // Takes one event; false once no more are wanted (the watch ends).
  std::function<bool(const WatchEvent&)> output;
  // Only this drive is followed, when set.
  std::optional<std::string> onlyRoot;
  // The longest one step waits for news: a window that shares its device thread with the
  // follow waits in short slices, so a press is taken at once.
  uint64_t longestWaitMs = kIdleWaitMs;
};

class DriveWatcher {
 public:
  DriveWatcher(platform::System& system, platform::DriveEvents& events, WatcherOptions options);

  // Lists the drives, asks each once what it holds and tells each as added. False when the
  // output wants no more.
  bool Start();
  // Waits for the next notice or the next question due, and handles it; false once the output
  // wants no more.
  bool Step();
  // The drives followed now.
  size_t DriveCount() const { return drives_.size(); }

 private:
  struct Tracked {
    std::string root;
    int index = -1;
    DriveState state = DriveState::NoDisc;
    bool systemWatches = false;
    uint64_t pollDue = kNever;
    uint64_t noticeDue = kNever;
    uint64_t burstStart = kNever;
    uint64_t loadingSince = kNever;
    uint64_t lastQuery = kNever;
    bool queried = false;       // the disc in the drive has been queried
    bool readyPending = false;  // ready, told once its query has run
  };

  uint64_t Due(const Tracked& drive) const;
  void Notice(const platform::DriveNotice& notice, uint64_t now);
  bool Check(Tracked& drive, bool added);
  bool Change(Tracked& drive, DriveState after, bool newDisc, bool added);
  bool RunQuery(Tracked& drive, bool readyNews);
  void Schedule(Tracked& drive, uint64_t now);
  bool Emit(const Tracked& drive, EventKind kind, bool withReport = false);
  std::vector<std::string> ListedRoots();
  bool Rescan();
  bool Wanted(const std::string& root) const;
  int IndexOf(const std::string& root) const;
  Tracked* Find(const std::string& root);

  platform::System& system_;
  platform::DriveEvents& events_;
  WatcherOptions options_;
  std::unique_ptr<device::AtapiDevice> device_;
  std::vector<Tracked> drives_;
  std::vector<std::string> roots_;  // the roots the drive list was made from
  uint64_t hotPlugDue_ = kNever;
  uint64_t rootPollDue_ = kNever;
  bool starting_ = false;  // the drives listed at the start are told as they are, not queried
};

}  // namespace live
