#include "media/report_json.h"

#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/lightscribe.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/hex_text.h"
#include "text/text_encoding.h"

namespace media {
namespace {

using nlohmann::ordered_json;
using text::FormatC;
using text::TextToUtf8;

using text::TrimTrailingBlanks;

std::string Hex(const uint8_t* bytes, size_t n) {
  return text::HexBytes({bytes, n});
}

ordered_json Id(const uint8_t* bytes, size_t n) {
  return {{"hex", Hex(bytes, n)}, {"text", TextToUtf8(MakePrintable(bytes, n))}};
}

ordered_json Time(uint32_t number) {
  return {{"number", number}, {"time", FormatAtipTime(number)}};
}

}  // namespace

const char* LightScribeMeaning(int32_t state) {
  switch (state) {
    case kLightScribeNoDisc:
      return "supported, no LightScribe disc";
    case kLightScribeDataSide:
      return "supported, data side toward the laser";
    case kLightScribeLabelSide:
      return "supported, label side toward the laser";
    case kLightScribePageFailed:
      return "supported, disc side unknown";
    default:
      return "not supported";
  }
}

ordered_json DiscJson(const MediaReport& r) {
  const DiscKind kind = r.discKind;
  ordered_json disc = {{"kind", Code(kind)}, {"kind_name", TrimTrailingBlanks(DiscKindName(kind))}};
  if (HasLayers(kind)) disc["double_layer"] = IsDoubleLayer(kind);
  if (r.lightScribe == kLightScribeLabelSide) {
    disc["label_side"] = true;
    return disc;
  }
  if (IsCdFamily(kind)) {
    disc["lead_in"] = Time(r.leadIn);
    disc["lead_out"] = Time(r.leadOut);
    disc["material"] = CdMaterial(kind, r.leadIn);
    disc["capacity_mb"] = FormatC("%.2f", CdCapacityMb(r.leadOut));
  } else if (IsDvdFamily(kind)) {
    if (InfoOf(kind).ids == DvdIds::Plus) {
      if (r.plusMid[0] != 0) {
        disc["mid"] = Id(r.plusMid.data(), 8);
        disc["tid"] = Id(r.plusTid.data(), 3);
      }
    } else if (InfoOf(kind).ids == DvdIds::Ram) {
      if (r.dvdRamInfo[0] != 0) {
        disc["mid"] = Id(r.dvdRamInfo.data() + kDvdRamMidAt, 8);
        disc["msi"] = Id(r.dvdRamInfo.data() + kDvdRamMsiAt, 8);
      }
    } else if (r.minusMid[0] != 0) {
      disc["mid"] = Id(r.minusMid.data(), 6);
      disc["tid"] = Id(r.minusMid.data() + 6, 6);
    }
    disc["capacity_blocks"] = r.capacityBlocks;
    if (r.capacityBlocks != 0) disc["capacity_gb"] = FormatC("%.2f", CapacityGb(r.capacityBlocks));
  } else if (IsBdFamily(kind)) {
    const auto& bd = r.bdDiscInfo;
    disc["bd_type"] = std::string(reinterpret_cast<const char*>(bd.data() + kBdTypeAt), 3);
    if (disc["bd_type"] != "BDO") {
      disc["mid"] = Id(bd.data() + kBdMidAt, 6);
      disc["tid"] = Id(bd.data() + kBdTidAt, 3);
      disc["time_stamp"] = Hex(bd.data() + kBdTimeStampAt, 2);
      disc["revision"] = Hex(bd.data() + kBdRevisionAt, 1);
    }
  }
  return disc;
}

ordered_json ReportJson(const device::DriveEntry& drive, int driveIndex, const MediaReport& r) {
  ordered_json json;
  json["drive"] = {{"index", driveIndex},
                   {"vendor", TextToUtf8(text::TextOf(drive.Vendor))},
                   {"product", TextToUtf8(text::TextOf(drive.Product))},
                   {"revision", TextToUtf8(text::TextOf(drive.Revision))},
                   {"kind", Code(r.driveKind)},
                   {"kind_name", TrimTrailingBlanks(DriveKindName(r.driveKind))},
                   {"writes_cd_r", drive.WritesCdR}};
  json["lightscribe"] = {{"state", r.lightScribe}, {"meaning", LightScribeMeaning(r.lightScribe)}};
  json["disc"] = DiscJson(r);
  if (r.hasManufacturer) {
    json["manufacturer"] = {{"text", TextToUtf8(r.manufacturer.text)},
                            {"found", r.manufacturer.Found()},
                            {"source", custom::ManufacturerSourceName(r.manufacturer.source)}};
  }
  if (r.hasSpeed) {
    json["speed_limit"] = {{"kbps", r.speedKbps},
                           {"x", r.speedXText},
                           {"unit_kbps", static_cast<int>(r.speedUnitKbps)}};
    // The report leaves the drive at its highest speed: say which, so nobody is surprised.
    json["write_speed_left_at_kbps"] =
        r.speedLeftAtKbps ? ordered_json(*r.speedLeftAtKbps) : ordered_json(nullptr);
  }
  ordered_json speeds = ordered_json::array();
  for (const WriteSpeedDescriptor& w : r.writeSpeeds) {
    speeds.push_back(
        {{"end_lba", w.endLba}, {"read_kbps", w.readKbps}, {"write_kbps", w.writeKbps}});
  }
  json["write_speeds"] = speeds;
  ordered_json lines = ordered_json::array();
  for (const std::string& line : r.lines) lines.push_back(TextToUtf8(line));
  json["lines"] = lines;
  return json;
}

}  // namespace media
