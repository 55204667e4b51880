#include "media/manufacturer_search.h"

#include <algorithm>

#include "media/answers/dvd_structures.h"
#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/drive_kind.h"
#include "media/manufacturer_tables.h"
#include "media/media_id.h"
#include "media/upper_case.h"

namespace media {
namespace {

constexpr int kReadyWaitSeconds = 60;

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

std::string FindBuiltInManufacturer(device::AtapiDevice& device, const MediaFacts& facts) {
  const DiscKind kind = facts.discKind;
  if (kind == DiscKind::None || kind == DiscKind::Unknown) return {};
  if (IsCdFamily(kind)) return std::string(FindCdManufacturer(facts.leadIn));
  std::optional<DriveKind> driveKind = facts.driveKind;
  auto drive = [&] {
    if (!driveKind) driveKind = DetectDriveKind(device);
    return *driveKind;
  };

  // The search reads the pre-recorded IDs of DVD-RAM, DVD-R and DVD-RW; a DVD-R DL is looked
  // up by the ADIP IDs, and a DVD-ROM by whichever its drive answers.
  bool minus =
      kind == DiscKind::DvdRam || kind == DiscKind::DvdMinusR || kind == DiscKind::DvdMinusRw;
  if (kind == DiscKind::DvdRom) {
    minus = ReadPreRecordedInfo(device, PreRecordedInfo::kLength).has_value();
  }
  std::optional<std::string_view> name;
  if (minus) {
    std::string id;
    if (kind == DiscKind::DvdRam) {
      id = IdText(facts.dvdRam);
    } else {
      id = IdText(facts.minusMid ? *facts.minusMid : ReadMinusMediaId(device, drive(), kind));
    }
    name = FindDvdKeyInside(id);
  } else {
    PlusMid mid{};
    if (facts.plusMid) {
      mid = *facts.plusMid;
    } else {
      mid = ReadPlusMediaId(device, drive(), kind);
      // The type ID belongs to the plus identification; no record of the table depends on it.
      ReadPlusTypeId(device, drive(), kind);
    }
    name = FindDvdKeyEqual(IdText(mid));
    if (!name) name = FindDvdKeyInside(IdText(mid));
  }
  return name ? std::string(*name) : std::string();
}

std::string FindBuiltInManufacturer(device::AtapiDevice& device, std::optional<DiscKind> known,
                                    std::optional<DriveKind> driveKind) {
  device.WaitUntilReady(kReadyWaitSeconds);
  MediaFacts facts;
  facts.driveKind = driveKind;
  if (known) {
    facts.discKind = *known;
    if (facts.discKind == DiscKind::DvdRam) facts.dvdRam = ReadDvdRamRecord(device);
  } else {
    const DiscClass disc = ClassifyDisc(device, driveKind);
    facts.discKind = disc.kind;
    facts.dvdRam = disc.dvdRam;
  }
  if (IsCdFamily(facts.discKind) && facts.discKind != DiscKind::Unknown)
    facts.leadIn = ReadAtipTime(device, AtipTime::LeadIn);
  return FindBuiltInManufacturer(device, facts);
}

}  // namespace media
