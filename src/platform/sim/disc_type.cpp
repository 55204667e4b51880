#include "platform/sim/disc_type.h"

namespace sim {
namespace {

// Traits() indexes the table by the enumerator's value.
constexpr bool InEnumOrder() {
  for (size_t i = 0; i < kDiscTypes.size(); ++i) {
    if (static_cast<size_t>(kDiscTypes[i].type) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder(), "kDiscTypes must list the types in the order of DiscType");

}  // namespace

std::optional<DiscType> DiscTypeNamed(std::string_view name) {
  for (const DiscTypeTraits& traits : kDiscTypes) {
    if (traits.name == name) return traits.type;
  }
  return std::nullopt;
}

}  // namespace sim
