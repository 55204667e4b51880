// The simulated machine's notices: its timeline, played on the virtual clock. Waiting moves
// the clock to the next entry at once, or, when the clock follows real time, after as long.
#include <algorithm>

#include "platform/sim/sim_system.h"
#include "platform/stop_signal.h"

namespace sim {
namespace {

class SimDriveEvents : public platform::DriveEvents {
 public:
  SimDriveEvents(SimSystem& system, bool realTime) : system_(system), realTime_(realTime) {
    // What happened before anyone watched is not news.
    system_.PendingNotices().clear();
  }

  std::vector<platform::DriveNotice> Wait(uint32_t milliseconds) override {
    VirtualClock& clock = system_.Clock();
    const uint64_t deadline = clock.NowNs() + uint64_t{milliseconds} * 1'000'000;
    while (system_.PendingNotices().empty()) {
      uint64_t due = 0;
      const bool entryFirst = clock.NextDue(due) && due <= deadline;
      const uint64_t until = entryFirst ? std::max(due, clock.NowNs()) : deadline;
      if (realTime_) {
        const uint64_t waitMs = (until - clock.NowNs() + 999'999) / 1'000'000;
        if (platform::SleepUnlessStopped(static_cast<uint32_t>(waitMs))) break;
      }
      clock.Advance(until - clock.NowNs());
      if (!entryFirst) break;
    }
    std::vector<platform::DriveNotice> notices;
    notices.swap(system_.PendingNotices());
    return notices;
  }

  uint64_t NowMs() override { return system_.Clock().NowNs() / 1'000'000; }

  bool SystemWatches(const std::string& root) override {
    const int index = system_.DriveIndexOf(root);
    return TellsHotPlug() && index >= 0 &&
           system_.DriveAt(static_cast<size_t>(index)).Model().systemWatches;
  }

  bool TellsHotPlug() const override { return system_.MachineModel().driveEvents; }

 private:
  SimSystem& system_;
  bool realTime_;
};

}  // namespace

std::unique_ptr<platform::DriveEvents> SimSystem::OpenDriveEvents(
    const platform::WatchOptions& options) {
  return std::make_unique<SimDriveEvents>(*this, options.realTime);
}

}  // namespace sim
