#include "device/sense.h"

namespace device {
namespace {

constexpr uint8_t kNotReady = 0x02;
constexpr uint8_t kIllegalRequest = 0x05;
constexpr uint8_t kUnitAttention = 0x06;
constexpr uint8_t kAscBecomingReady = 0x04;
constexpr uint8_t kAscNoMedium = 0x3A;

}  // namespace

Sense SenseFromData(std::span<const uint8_t> data) {
  if (data.empty()) return {};
  const uint8_t responseCode = data[0] & 0x7F;
  if (responseCode == 0x72 || responseCode == 0x73) {
    if (data.size() < 4) return {};
    return {static_cast<uint8_t>(data[1] & 0x0F), data[2], data[3]};
  }
  if (data.size() < 14) return {};
  return {static_cast<uint8_t>(data[2] & 0x0F), data[12], data[13]};
}

SenseClass Classify(const Sense& sense) {
  switch (sense.key) {
    case 0:
      return SenseClass::None;
    case kNotReady:
      if (sense.asc == kAscNoMedium) return SenseClass::NoMedium;
      if (sense.asc == kAscBecomingReady) return SenseClass::BecomingReady;
      return SenseClass::NotReady;
    case kIllegalRequest:
      return SenseClass::IllegalRequest;
    case kUnitAttention:
      return SenseClass::UnitAttention;
    default:
      return SenseClass::Other;
  }
}

}  // namespace device
