#include "media/manufacturer_search.h"

#include <algorithm>

#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/drive_kind.h"
#include "media/manufacturer_tables.h"
#include "media/media_id.h"
#include "media/upper_case.h"

namespace media {
namespace {

constexpr int kReadyWaitSeconds = 60;
constexpr uint16_t kPreRecordedLength = 48;

}  // namespace

std::string_view FindCdManufacturer(uint32_t leadIn) {
  for (size_t i = 0; i + 1 < CdManufacturerTable.size(); ++i) {
    if (BoundOf(CdManufacturerTable[i]) <= leadIn && leadIn < BoundOf(CdManufacturerTable[i + 1])) {
      return NameOf(CdManufacturerTable[i]);
    }
  }
  return NameOf(CdManufacturerTable.back());
}

std::optional<std::string_view> FindDvdKeyEqual(std::string_view id) {
  for (const DvdManufacturerRecord& record : DvdManufacturerTable) {
    if (KeyOf(record) == id) return NameOf(record);
  }
  return std::nullopt;
}

std::optional<std::string_view> FindDvdKeyInside(std::string_view id) {
  const std::string upper = UpperCp1252(id);
  for (const DvdManufacturerRecord& record : DvdManufacturerTable) {
    if (upper.find(KeyOf(record)) != std::string::npos) return NameOf(record);
  }
  return std::nullopt;
}

std::string FindBuiltInManufacturer(device::AtapiDevice& device, std::optional<DiscKind> known,
                                    std::optional<DriveKind> driveKind) {
  device.WaitUntilReady(kReadyWaitSeconds);
  const DiscKind kind = known ? *known : DetectDiscKind(device, driveKind);
  if (kind == DiscKind::None || kind == DiscKind::Unknown) return {};
  if (kind < DiscKind::DvdRom) {
    return std::string(FindCdManufacturer(ReadAtipTime(device, AtipTime::LeadIn)));
  }
  auto drive = [&] {
    if (!driveKind) driveKind = DetectDriveKind(device);
    return *driveKind;
  };

  // The search reads the pre-recorded IDs of DVD-RAM, DVD-R and DVD-RW; a DVD-R DL is looked
  // up by the ADIP IDs, and a DVD-ROM by whichever its drive answers.
  bool minus =
      kind == DiscKind::DvdRam || kind == DiscKind::DvdMinusR || kind == DiscKind::DvdMinusRw;
  if (kind == DiscKind::DvdRom) {
    minus = device.ReadDiscStructure(0, 0, 0x0E, kPreRecordedLength, 0, 0);
  }
  std::optional<std::string_view> name;
  if (minus) {
    const std::string id = kind == DiscKind::DvdRam
                               ? IdText(device.DvdRamInfo())
                               : IdText(ReadMinusMediaId(device, drive(), kind));
    name = FindDvdKeyInside(id);
  } else {
    const PlusMid mid = ReadPlusMediaId(device, drive(), kind);
    // The type ID belongs to the plus identification; no record of the table depends on it.
    ReadPlusTypeId(device, drive(), kind);
    name = FindDvdKeyEqual(IdText(mid));
    if (!name) name = FindDvdKeyInside(IdText(mid));
  }
  return name ? std::string(*name) : std::string();
}

}  // namespace media
