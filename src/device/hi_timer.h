// Interval timer on the system's high-resolution counter.
#pragma once

#include <cstdint>

#include "platform/system.h"

namespace device {

class HiTimer {
 public:
  explicit HiTimer(platform::System& system);
  ~HiTimer();
  HiTimer(const HiTimer&) = delete;
  HiTimer& operator=(const HiTimer&) = delete;

  void Start(bool reset);
  void Stop();
  void Reset();
  // Seconds since the measurement in progress started; 0 when idle.
  double RunningSeconds();
  // Total of the measurements since the last reset, the one in progress included.
  double ElapsedSeconds() const;

  bool Available() const { return !unavailable_; }
  bool Running() const { return running_; }

 private:
  int64_t Now();

  platform::System& system_;
  int64_t frequency_ = 0;
  int64_t startCount_ = 0;
  int64_t stopCount_ = 0;
  int64_t total_ = 0;
  int64_t overhead_ = 0;
  bool unavailable_ = false;
  // An explicit flag: a counter reading of 0 is a valid start, not "idle".
  bool running_ = false;
};

}  // namespace device
