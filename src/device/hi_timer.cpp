#include "device/hi_timer.h"

namespace device {

HiTimer::HiTimer(platform::System& system) : system_(system) {
  if (!system_.QueryPerformanceFrequency(frequency_) || frequency_ <= 0) {
    unavailable_ = true;
    frequency_ = 0;
    return;
  }
  // Calibrate: the cost of one start/stop pair is taken off every measurement.
  startCount_ = Now();
  running_ = true;
  Stop();
  overhead_ = total_;
  startCount_ = 0;
  stopCount_ = 0;
  total_ = 0;
}

HiTimer::~HiTimer() {
  if (!unavailable_ && running_) Stop();
}

int64_t HiTimer::Now() {
  int64_t count = 0;
  system_.QueryPerformanceCounter(count);
  return count;
}

void HiTimer::Start(bool reset) {
  if (unavailable_) return;
  if (reset) Reset();
  startCount_ = Now();
  running_ = true;
}

void HiTimer::Stop() {
  if (unavailable_ || !running_) return;
  stopCount_ = Now();
  total_ += stopCount_ - startCount_ - overhead_;
  startCount_ = 0;
  running_ = false;
}

void HiTimer::Reset() {
  if (running_) Stop();
  total_ = 0;
}

double HiTimer::RunningSeconds() {
  if (unavailable_ || !running_) return 0.0;
  stopCount_ = Now();
  return static_cast<double>(stopCount_ - startCount_ - overhead_) /
         static_cast<double>(frequency_);
}

double HiTimer::ElapsedSeconds() const {
  if (unavailable_) return 0.0;
  if (!running_) return static_cast<double>(total_) / static_cast<double>(frequency_);
  return static_cast<double>(total_ + stopCount_ - startCount_ - overhead_) /
         static_cast<double>(frequency_);
}

}  // namespace device
