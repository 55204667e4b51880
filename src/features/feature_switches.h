// The drive maker's three vendor features, each a bit of vendor mode page 30h: byte 10
// says which features the drive supports, byte 11 which of them are on.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/atapi_device.h"

namespace features {

enum class Feature { QuillrateDisable, Trimwave, Pacelift };

// The features in the order the window refreshes them.
inline constexpr std::array<Feature, 3> kAllFeatures{Feature::QuillrateDisable, Feature::Trimwave,
                                                     Feature::Pacelift};

// Status value bits.
inline constexpr uint8_t kSupported = 0x01;
inline constexpr uint8_t kActive = 0x10;

uint8_t MaskOf(Feature feature);

// Reads one feature's status: kSupported and kActive, or 0 when the page cannot be read.
uint8_t ReadStatus(device::AtapiDevice& device, Feature feature);
// The statuses of all three features (in kAllFeatures order) from one read of the page.
std::array<uint8_t, 3> ReadAllStatuses(device::AtapiDevice& device);
// Sets or clears one feature's state bit, writing the page back as the drive returned it.
// True when the MODE SELECT succeeded.
bool Switch(device::AtapiDevice& device, Feature feature, bool on);

inline uint8_t GetQRAbility(device::AtapiDevice& d) {
  return ReadStatus(d, Feature::QuillrateDisable);
}
inline uint8_t GetTWAbility(device::AtapiDevice& d) {
  return ReadStatus(d, Feature::Trimwave);
}
inline uint8_t GetPLAbility(device::AtapiDevice& d) {
  return ReadStatus(d, Feature::Pacelift);
}
inline bool SetQRAbility(device::AtapiDevice& d, bool on) {
  return Switch(d, Feature::QuillrateDisable, on);
}
inline bool SetTWAbility(device::AtapiDevice& d, bool on) {
  return Switch(d, Feature::Trimwave, on);
}
inline bool SetPLAbility(device::AtapiDevice& d, bool on) {
  return Switch(d, Feature::Pacelift, on);
}

}  // namespace features
