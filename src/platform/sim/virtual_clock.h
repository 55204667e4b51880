// The simulator's clock: time moves only when a command takes time or the program sleeps,
// so a two-minute wait runs in microseconds and every run is the same.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace sim {

class VirtualClock {
 public:
  uint64_t NowNs() const { return nowNs_; }
  double NowSeconds() const { return static_cast<double>(nowNs_) / 1e9; }
  // Moves time forward, running every scheduled action that falls due on the way.
  void Advance(uint64_t ns);
  // Runs `action` once the clock reaches `atNs`.
  void Schedule(uint64_t atNs, std::function<void()> action);
  // The time of the next scheduled action, or none.
  bool NextDue(uint64_t& atNs) const;

 private:
  uint64_t nowNs_ = 0;
  std::multimap<uint64_t, std::function<void()>> scheduled_;
};

}  // namespace sim
