#include "media/answers/capabilities_page.h"

namespace media {

std::optional<CapabilitiesPage> ReadCapabilitiesPage(device::AtapiDevice& device, uint16_t length) {
  if (!device.ModeSense10(0, 0, CapabilitiesPage::kPage, length, 0)) return std::nullopt;
  return CapabilitiesPage{device.Answer()};
}

}  // namespace media
