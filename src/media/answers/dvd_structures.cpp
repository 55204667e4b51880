#include "media/answers/dvd_structures.h"

namespace media {
namespace {

constexpr uint8_t kBdMediaType = 1;

}  // namespace

std::optional<PhysicalFormat> ReadPhysicalFormat(device::AtapiDevice& device, uint16_t length) {
  if (!device.ReadDiscStructure(0, 0, PhysicalFormat::kFormat, length, 0, 0)) return std::nullopt;
  return PhysicalFormat{device.Answer()};
}

std::optional<PreRecordedInfo> ReadPreRecordedInfo(device::AtapiDevice& device, uint16_t length) {
  if (!device.ReadDiscStructure(0, 0, PreRecordedInfo::kFormat, length, 0, 0)) return std::nullopt;
  return PreRecordedInfo{device.Answer()};
}

std::optional<VendorMediaId> ReadVendorMediaIdAnswer(device::AtapiDevice& device) {
  if (!device.ReadVendorMediaId()) return std::nullopt;
  return VendorMediaId{device.Answer()};
}

std::optional<BdDiscInformation> ReadBdDiscInformation(device::AtapiDevice& device) {
  if (!device.ReadDiscStructureMedia(0, kBdMediaType, 0, 0x00, BdDiscInformation::kLength, 0, 0))
    return std::nullopt;
  return BdDiscInformation{device.Answer()};
}

}  // namespace media
