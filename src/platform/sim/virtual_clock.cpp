#include "platform/sim/virtual_clock.h"

namespace sim {

void VirtualClock::Advance(uint64_t ns) {
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
