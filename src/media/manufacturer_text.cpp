#include "media/manufacturer_text.h"

#include <optional>

#include "media/manufacturer_search.h"

namespace media {
namespace {

// Where the 11 compared key bytes come from in each answer.
constexpr size_t kVendorKeyAt = 0;
constexpr size_t kPhysicalKeyAt = 23;  // disc manufacturer ID then media type ID
constexpr uint16_t kPhysicalKeyLength = 36;
constexpr size_t kPreRecordedFirstAt = 21;   // manufacturer ID, first six bytes
constexpr size_t kPreRecordedSecondAt = 29;  // and the next five
constexpr uint16_t kPreRecordedLength = 50;
constexpr uint8_t kPreRecordedFormat = 0x0E;

std::optional<custom::DvdKey> DvdKeyOf(device::AtapiDevice& device, DriveKind driveKind,
                                       DiscKind kind) {
  custom::DvdKey key{};
  if (kind >= DiscKind::DvdPlusRw) {
    if (driveKind > DriveKind::Combo && device.ReadVendorMediaId()) {
      for (size_t i = 0; i < key.size(); ++i) key[i] = device.ResponseByte(kVendorKeyAt + i);
      return key;
    }
    if (!device.ReadDiscStructure(0, 0, 0x00, kPhysicalKeyLength, 0, 0)) return std::nullopt;
    for (size_t i = 0; i < key.size(); ++i) key[i] = device.ResponseByte(kPhysicalKeyAt + i);
    return key;
  }
  if (!device.ReadDiscStructure(0, 0, kPreRecordedFormat, kPreRecordedLength, 0, 0)) {
    return std::nullopt;
  }
  for (size_t i = 0; i < 6; ++i) key[i] = device.ResponseByte(kPreRecordedFirstAt + i);
  for (size_t i = 0; i < 5; ++i) key[6 + i] = device.ResponseByte(kPreRecordedSecondAt + i);
  return key;
}

}  // namespace

custom::ManufacturerMatch FindManufacturerText(device::AtapiDevice& device, DriveKind driveKind,
                                               DiscKind kind, uint32_t leadIn, uint32_t leadOut,
                                               const ManufacturerSources& sources) {
  if (kind == DiscKind::None) return {};
  if (IsCdFamily(kind)) {
    custom::ManufacturerMatch match =
        custom::MatchCdRows(sources.userCdRows, sources.blockCdRows, leadIn, leadOut);
    if (match.Found()) return match;
  } else if (const auto key = DvdKeyOf(device, driveKind, kind)) {
    custom::ManufacturerMatch match =
        custom::MatchDvdRows(sources.userDvdRows, sources.blockDvdRows, *key);
    if (match.Found()) return match;
  }
  std::string builtIn = FindBuiltInManufacturer(device, kind, driveKind);
  if (builtIn.empty()) return {};
  return {custom::ManufacturerSource::BuiltInTable, std::move(builtIn)};
}

}  // namespace media
