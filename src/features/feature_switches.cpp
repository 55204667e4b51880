#include "features/feature_switches.h"

#include <algorithm>

namespace features {
namespace {

constexpr uint8_t kVendorPage = 0x30;
constexpr uint16_t kPageLength = 24;
constexpr size_t kSupportByte = 10;  // support flags, one bit per feature
constexpr size_t kStateByte = 11;    // state flags, the same bit positions
// A status needs both flag bytes; writing the page back needs all of it, so a drive's page
// is never sent back with bytes it did not send.
constexpr uint32_t kStatusBytesNeeded = kStateByte + 1;
constexpr uint32_t kPageBytesNeeded = kPageLength;

bool ReadVendorPage(device::AtapiDevice& device) {
  return device.ModeSense10(0, 0, kVendorPage, kPageLength, 0);
}

}  // namespace

uint8_t MaskOf(Feature feature) {
  switch (feature) {
    case Feature::QuillrateDisable:
      return 0x20;
    case Feature::Trimwave:
      return 0x02;
    case Feature::Pacelift:
      return 0x04;
  }
  return 0;
}

uint8_t ReadStatus(device::AtapiDevice& device, Feature feature) {
  if (!ReadVendorPage(device) || device.BytesTransferred() < kStatusBytesNeeded) return 0;
  const uint8_t mask = MaskOf(feature);
  uint8_t status = 0;
  if (device.ResponseByte(kSupportByte) & mask) status |= kSupported;
  if (device.ResponseByte(kStateByte) & mask) status |= kActive;
  return status;
}

bool Switch(device::AtapiDevice& device, Feature feature, bool on) {
  if (!ReadVendorPage(device) || device.BytesTransferred() < kPageBytesNeeded) return false;
  const auto response = device.GetResponseBuffer();
  const auto out = device.DataOutBuffer();
  std::copy_n(response.begin(), kPageLength, out.begin());
  const uint8_t mask = MaskOf(feature);
  out[kStateByte] = static_cast<uint8_t>(out[kStateByte] & ~mask);
  if (on) out[kStateByte] |= mask;
  return device.ModeSelect10(0, kPageLength, 0);
}

}  // namespace features
