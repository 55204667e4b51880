// GET CONFIGURATION: an 8-byte feature header (the current profile at bytes 6-7), then
// feature descriptors. Offsets count from the start of the answer.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct Configuration {
  static constexpr size_t kCurrentProfileAt = 6;
  static constexpr size_t kFirstFeatureAt = 8;  // the first descriptor: its code, 2 bytes
  // The profile list feature (0000h) as the first descriptor: its additional length, then
  // 4-byte profile descriptors whose low byte is the profile.
  static constexpr size_t kProfileListLengthByte = kFirstFeatureAt + 3;
  static constexpr size_t kFirstProfileLowByte = kFirstFeatureAt + 5;
  static constexpr size_t kProfileDescriptorSize = 4;

  device::ResponseView answer;

  uint16_t CurrentProfile() const { return answer.BE16(kCurrentProfileAt); }
  uint16_t FirstFeatureCode() const { return answer.BE16(kFirstFeatureAt); }
  uint8_t ProfileListLength() const { return answer.At(kProfileListLengthByte); }
  // The low byte of profile descriptor `i`.
  uint8_t ProfileAt(unsigned i) const {
    return answer.At(kFirstProfileLowByte + i * kProfileDescriptorSize);
  }
};

// The features from `startingFeature` on as `rt` selects them, `length` bytes asked for;
// nothing when the command failed.
inline std::optional<Configuration> ReadConfiguration(device::AtapiDevice& device, uint8_t rt,
                                                      uint16_t startingFeature, uint16_t length) {
  if (!device.GetConfiguration(rt, startingFeature, length, 0)) return std::nullopt;
  return Configuration{device.Answer()};
}

// The profile list (feature 0000h, RT 2: that feature only), with the current profile in
// the header.
inline constexpr uint16_t kProfileListLength = 248;
inline std::optional<Configuration> ReadProfileList(device::AtapiDevice& device) {
  return ReadConfiguration(device, 2, 0x0000, kProfileListLength);
}

// The answer whose header gives the current profile: the profile list this query already
// read, while the snapshot still holds it (the disc has not changed since), otherwise every
// feature from 0000h (RT 0), 204 bytes.
inline constexpr uint16_t kConfigurationLength = 204;
inline std::optional<Configuration> ReadCurrentProfileAnswer(device::AtapiDevice& device) {
  if (auto kept = device.FromSnapshotOnly([&device] { return ReadProfileList(device); })) {
    return kept;
  }
  return ReadConfiguration(device, 0, 0x0000, kConfigurationLength);
}

}  // namespace media
