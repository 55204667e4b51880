// The simulator's clock: time moves only when a command takes time or the program sleeps,
// so a two-minute wait runs in microseconds and every run is the same.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace sim {

class VirtualClock {
 public:
  // Drives asked at the same time, each from a thread of its own: while a Lane lives, the
  // thread that made it has a time of its own, starting from `startNs`, which that thread's
  // reads and advances see and move; no scheduled action runs on a lane (the clock's owner
  // moves the clock itself past the lanes once they have ended).
  class Lane {
   public:
    Lane(VirtualClock& clock, uint64_t startNs);
    ~Lane();
    Lane(const Lane&) = delete;
    Lane& operator=(const Lane&) = delete;
    uint64_t NowNs() const { return nowNs_; }

   private:
    friend class VirtualClock;
    const VirtualClock& clock_;
    uint64_t nowNs_;
    Lane* outer_;
  };

  uint64_t NowNs() const;
  double NowSeconds() const { return static_cast<double>(NowNs()) / 1e9; }
  // Moves time forward, running every scheduled action that falls due on the way.
  void Advance(uint64_t ns);
  // Runs `action` once the clock reaches `atNs`.
  void Schedule(uint64_t atNs, std::function<void()> action);
  // The time of the next scheduled action, or none.
  bool NextDue(uint64_t& atNs) const;

 private:
  Lane* LaneOfThisThread() const;

  uint64_t nowNs_ = 0;
  std::multimap<uint64_t, std::function<void()>> scheduled_;
};

}  // namespace sim
