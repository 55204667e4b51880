#include "media/manufacturer_text.h"

#include <optional>

#include "media/answers/dvd_structures.h"
#include "media/manufacturer_search.h"

namespace media {
namespace {

// The 11 compared key bytes: the manufacturer ID and the media type ID of a + disc, the
// manufacturer ID of the others (its first six bytes, then five of the next field).
std::optional<custom::DvdKey> DvdKeyOf(device::AtapiDevice& device, DriveKind driveKind,
                                       DiscKind kind) {
  custom::DvdKey key{};
  if (HasAdipKey(kind)) {
    if (IsDvdWriter(driveKind)) {
      if (const auto vendor = ReadVendorMediaIdAnswer(device)) {
        vendor->answer.Copy(VendorMediaId::kMidAt, key.size(), key.data());
        return key;
      }
    }
    const auto format = ReadPhysicalFormat(device, PhysicalFormat::kIdLength);
    if (!format) return std::nullopt;
    format->answer.Copy(PhysicalFormat::kAdipMidAt, key.size(), key.data());
    return key;
  }
  const auto info = ReadPreRecordedInfo(device, PreRecordedInfo::kLength);
  if (!info) return std::nullopt;
  info->answer.Copy(PreRecordedInfo::kMidFirstAt, 6, key.data());
  info->answer.Copy(PreRecordedInfo::kMidSecondAt, 5, key.data() + 6);
  return key;
}

}  // namespace

custom::ManufacturerMatch FindManufacturerText(device::AtapiDevice& device, const MediaFacts& facts,
                                               const ManufacturerSources& sources) {
  const DiscKind kind = facts.discKind;
  if (kind == DiscKind::None) return {};
  if (IsCdFamily(kind)) {
    custom::ManufacturerMatch match =
        custom::MatchCdRows(sources.userCdRows, sources.blockCdRows, facts.leadIn, facts.leadOut);
    if (match.Found()) return match;
  } else if (const auto key =
                 DvdKeyOf(device, facts.driveKind.value_or(DriveKind::Unknown), kind)) {
    custom::ManufacturerMatch match =
        custom::MatchDvdRows(sources.userDvdRows, sources.blockDvdRows, *key);
    if (match.Found()) return match;
  }
  std::string builtIn = FindBuiltInManufacturer(device, facts);
  if (builtIn.empty()) return {};
  return {custom::ManufacturerSource::BuiltInTable, std::move(builtIn)};
}

}  // namespace media
