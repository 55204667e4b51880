#include "features/feature_switches.h"

#include <optional>

#include "features/vendor_feature_page.h"

namespace features {
namespace {

constexpr uint16_t kPageLength = VendorFeaturePage::kLength;
// A status needs both flag bytes; writing the page back needs all of it, so a drive's page
// is never sent back with bytes it did not send.
constexpr uint32_t kStatusBytesNeeded = VendorFeaturePage::kStateByte + 1;
constexpr uint32_t kPageBytesNeeded = kPageLength;

// The page, when the drive sent at least `needed` bytes of it.
std::optional<VendorFeaturePage> ReadVendorPage(device::AtapiDevice& device, uint32_t needed) {
  if (!device.ModeSense10(0, 0, VendorFeaturePage::kPage, kPageLength, 0) ||
      device.BytesTransferred() < needed)
    return std::nullopt;
  return VendorFeaturePage{device.Answer()};
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

namespace {

uint8_t StatusOf(const std::optional<VendorFeaturePage>& page, Feature feature) {
  if (!page) return 0;
  const uint8_t mask = MaskOf(feature);
  uint8_t status = 0;
  if (page->Supported() & mask) status |= kSupported;
  if (page->Active() & mask) status |= kActive;
  return status;
}

}  // namespace

uint8_t ReadStatus(device::AtapiDevice& device, Feature feature) {
  return StatusOf(ReadVendorPage(device, kStatusBytesNeeded), feature);
}

std::array<uint8_t, 3> ReadAllStatuses(device::AtapiDevice& device) {
  const auto page = ReadVendorPage(device, kStatusBytesNeeded);
  std::array<uint8_t, 3> statuses{};
  for (size_t i = 0; i < kAllFeatures.size(); ++i) statuses[i] = StatusOf(page, kAllFeatures[i]);
  return statuses;
}

bool Switch(device::AtapiDevice& device, Feature feature, bool on) {
  const auto page = ReadVendorPage(device, kPageBytesNeeded);
  if (!page) return false;
  const auto out = device.DataOutBuffer();
  page->answer.Copy(0, kPageLength, out.data());
  const uint8_t mask = MaskOf(feature);
  uint8_t& state = out[VendorFeaturePage::kStateByte];
  state = static_cast<uint8_t>(state & ~mask);
  if (on) state |= mask;
  return device.ModeSelect10(0, kPageLength, 0);
}

}  // namespace features
