#include "media/answers/capabilities_page.h"

namespace media {

std::optional<CapabilitiesPage> ReadCapabilitiesPage(device::AtapiDevice& device) {
  if (!device.ModeSense10(0, 0, CapabilitiesPage::kPage, CapabilitiesPage::kLength, 0))
    return std::nullopt;
  return CapabilitiesPage{device.Answer()};
}

std::optional<CapabilitiesPage> ReadCapabilitiesPageWithSpeeds(device::AtapiDevice& device) {
  if (!device.ModeSense10(0, 0, CapabilitiesPage::kPage,
                          CapabilitiesPage::kWithSpeedDescriptorsLength, 0))
    return std::nullopt;
  return CapabilitiesPage{device.Answer()};
}

}  // namespace media
