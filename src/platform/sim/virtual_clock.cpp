#include "platform/sim/virtual_clock.h"

namespace sim {
namespace {

thread_local VirtualClock::Lane* tLane = nullptr;

}  // namespace

VirtualClock::Lane::Lane(VirtualClock& clock, uint64_t startNs)
    : clock_(clock), nowNs_(startNs), outer_(tLane) {
  tLane = this;
}

VirtualClock::Lane::~Lane() {
  tLane = outer_;
}

VirtualClock::Lane* VirtualClock::LaneOfThisThread() const {
  for (Lane* lane = tLane; lane != nullptr; lane = lane->outer_) {
    if (&lane->clock_ == this) return lane;
  }
  return nullptr;
}

uint64_t VirtualClock::NowNs() const {
  if (const Lane* lane = LaneOfThisThread()) return lane->nowNs_;
  return nowNs_;
}

void VirtualClock::Advance(uint64_t ns) {
  if (Lane* lane = LaneOfThisThread()) {
    lane->nowNs_ += ns;
    return;
  }
  const uint64_t target = nowNs_ + ns;
  while (!scheduled_.empty() && scheduled_.begin()->first <= target) {
    auto node = scheduled_.extract(scheduled_.begin());
    if (node.key() > nowNs_) nowNs_ = node.key();
    node.mapped()();
  }
  nowNs_ = target;
}

void VirtualClock::Schedule(uint64_t atNs, std::function<void()> action) {
  scheduled_.emplace(atNs, std::move(action));
}

bool VirtualClock::NextDue(uint64_t& atNs) const {
  if (scheduled_.empty()) return false;
  atNs = scheduled_.begin()->first;
  return true;
}

}  // namespace sim
