#include "cli/identify_command.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "device/fixed_text.h"
#include "device/format_c.h"
#include "device/text_encoding.h"
#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/drive_kind.h"
#include "media/kinds.h"
#include "media/lightscribe.h"
#include "media/manufacturer_search.h"
#include "media/media_id.h"
#include "media/report_lines.h"

namespace cli {
namespace {

using device::Cp1252ToUtf8;
using nlohmann::ordered_json;

constexpr int kReadyWaitSeconds = 60;

std::string Trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string Hex(const uint8_t* bytes, size_t n) {
  std::string text;
  for (size_t i = 0; i < n; ++i) {
    if (i > 0) text += ' ';
    text += device::FormatC("%02X", unsigned{bytes[i]});
  }
  return text;
}

template <size_t N>
ordered_json IdJson(const std::array<uint8_t, N>& id, size_t from, size_t n) {
  return {{"hex", Hex(id.data() + from, n)},
          {"text", Cp1252ToUtf8(media::MakePrintable(id.data() + from, n))}};
}

const char* LightScribeText(int32_t state) {
  switch (state) {
    case media::kLightScribeNoDisc:
      return "supported, no LightScribe disc";
    case media::kLightScribeDataSide:
      return "supported, data side toward the laser";
    case media::kLightScribeLabelSide:
      return "supported, label side toward the laser";
    case media::kLightScribePageFailed:
      return "supported, disc side unknown";
    default:
      return "not supported";
  }
}

int FirstWriter(const device::AtapiDevice& device) {
  for (int i = 0; i < device.GetDriveCount(); ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    if (e != nullptr && (e->WritesCdR || e->Kind >= 3)) return i;
  }
  return -1;
}

}  // namespace

void PrintIdentity(device::AtapiDevice& device, int index, bool json, std::ostream& out) {
  device.SelectDrive(index);
  const device::DriveEntry* entry = device.GetDriveEntry(static_cast<unsigned>(index));
  ordered_json result;
  result["drive"] = {{"index", index},
                     {"vendor", Cp1252ToUtf8(device::TextOf(entry->Vendor))},
                     {"product", Cp1252ToUtf8(device::TextOf(entry->Product))},
                     {"writes_cd_r", entry->WritesCdR}};
  std::vector<std::string> lines;

  device.WaitUntilReady(kReadyWaitSeconds);
  const media::DriveKind driveKind = media::DetectDriveKind(device);
  const int32_t lightScribe = media::GetLightScribeState(device);
  std::vector<std::string> labelLines;
  if (lightScribe == media::kLightScribeLabelSide) labelLines = media::LabelSideLines(device);
  std::string driveLine = std::string("        Drive Type = ") + media::DriveKindName(driveKind);
  if (lightScribe > 0) driveLine = Trimmed(driveLine) + " (Support LightScribe)";
  lines.push_back(driveLine);
  result["drive"]["kind"] = driveKind;
  result["drive"]["kind_name"] = Trimmed(media::DriveKindName(driveKind));
  result["lightscribe"] = {{"state", lightScribe}, {"meaning", LightScribeText(lightScribe)}};

  const media::DiscKind discKind = media::DetectDiscKind(device, driveKind);
  ordered_json disc = {{"kind", discKind}, {"kind_name", Trimmed(media::DiscKindName(discKind))}};
  std::string discLine = discKind >= 3 && discKind <= 10
                             ? std::string("         Disc Type = CDR")
                             : std::string("         Disc Type = ") + media::DiscKindName(discKind);
  if (discKind >= media::kDiscDvdRom) {
    const bool dual = media::IsDoubleLayer(discKind);
    disc["double_layer"] = dual;
    discLine = Trimmed(discLine) + (dual ? " (Double Layer)" : " (Single Layer)");
  }
  if (lightScribe == media::kLightScribeDataSide) {
    discLine = Trimmed(discLine) + " (LightScribe Data Side)";
  }
  auto add = [&](const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
  };

  if (lightScribe == media::kLightScribeLabelSide) {
    add(labelLines);
    disc["label_side"] = true;
  } else {
    lines.push_back(discLine);
    std::optional<std::string> manufacturer;
    if (media::IsCdFamily(discKind)) {
      const uint32_t leadIn = media::ReadAtipTime(device, media::AtipTime::LeadIn);
      const uint32_t leadOut = media::ReadAtipTime(device, media::AtipTime::LeadOut);
      add({media::MaterialLine(discKind, leadIn), media::LeadInLine(leadIn),
           media::LeadOutLine(leadOut), media::CdCapacityLine(leadOut)});
      disc["lead_in"] = {{"number", leadIn}, {"time", media::FormatAtipTime(leadIn)}};
      disc["lead_out"] = {{"number", leadOut}, {"time", media::FormatAtipTime(leadOut)}};
      disc["material"] = media::CdMaterial(discKind, leadIn);
      disc["capacity_mb"] = device::FormatC("%.2f", media::CdCapacityMb(leadOut));
      manufacturer = media::FindBuiltInManufacturer(device, discKind, driveKind);
    } else if (media::IsDvdFamily(discKind)) {
      if (discKind >= media::kDiscDvdPlusRw && discKind <= media::kDiscDvdPlusRDl) {
        const media::PlusMid mid = media::ReadPlusMediaId(device, driveKind, discKind);
        const media::PlusTid tid = media::ReadPlusTypeId(device, driveKind, discKind);
        add(media::PlusIdLines(mid, tid));
        if (mid[0] != 0) {
          disc["mid"] = IdJson(mid, 0, 8);
          disc["tid"] = IdJson(tid, 0, 3);
        }
      } else if (discKind == media::kDiscDvdRam) {
        const auto& ram = device.DvdRamInfo();
        add(media::DvdRamIdLines(ram));
        if (ram[0] != 0) {
          disc["mid"] = IdJson(ram, 0, 8);
          disc["msi"] = IdJson(ram, 48, 8);
        }
      } else {
        const media::MinusMid mid = media::ReadMinusMediaId(device, driveKind, discKind);
        add(media::MinusIdLines(mid));
        if (mid[0] != 0) {
          disc["mid"] = IdJson(mid, 0, 6);
          disc["tid"] = IdJson(mid, 6, 6);
        }
      }
      const uint32_t blocks = media::ReadFormattedCapacity(device);
      add(media::DvdCapacityLines(blocks));
      disc["capacity_blocks"] = blocks;
      if (blocks != 0) disc["capacity_gb"] = device::FormatC("%.2f", media::CapacityGb(blocks));
      manufacturer = media::FindBuiltInManufacturer(device, discKind, driveKind);
    } else if (media::IsBdFamily(discKind)) {
      const auto& bd = device.BdDiscInfo();
      add(media::BdLines(bd));
      if (!media::IsBdRom(device)) {
        disc["mid"] = IdJson(bd, media::kBdMidAt, 6);
        disc["tid"] = IdJson(bd, media::kBdTidAt, 3);
        disc["time_stamp"] = Hex(bd.data() + media::kBdTimeStampAt, 2);
        disc["revision"] = Hex(bd.data() + media::kBdRevisionAt, 1);
      }
    }
    if (manufacturer) {
      lines.push_back("Manufacturer Maybe = " +
                      (manufacturer->empty() ? "Unknown" : *manufacturer));
      disc["manufacturer"] = Cp1252ToUtf8(*manufacturer);
    }
  }
  result["disc"] = disc;

  if (json) {
    ordered_json utf8Lines = ordered_json::array();
    for (const std::string& line : lines) utf8Lines.push_back(Cp1252ToUtf8(line));
    result["lines"] = utf8Lines;
    out << result.dump(2) << '\n';
    return;
  }
  out << Cp1252ToUtf8(device::FormatC("Drive %d: %s %s", index,
                                      Trimmed(std::string(device::TextOf(entry->Vendor))).c_str(),
                                      Trimmed(std::string(device::TextOf(entry->Product))).c_str()))
      << '\n';
  for (const std::string& line : lines) out << Cp1252ToUtf8(line) << '\n';
}

Command AddIdentifyCommand(CLI::App& app) {
  struct Options {
    int drive = -1;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "identify", "Classify a drive and its disc and print the disc's identifiers");
  parser->add_option("--drive", options->drive,
                     "Drive-list index (default: the first drive that writes)");
  parser->add_flag("--json", options->json, "Print the result as JSON");
  return {parser, [options](Session& session) {
            device::AtapiDevice& device = session.Device();
            const int index = options->drive >= 0 ? options->drive : FirstWriter(device);
            if (index < 0 || device.GetDriveEntry(static_cast<unsigned>(index)) == nullptr) {
              session.err << (options->drive >= 0
                                  ? "quillrate-cli: no drive with index " +
                                        std::to_string(options->drive) + "\n"
                                  : std::string("quillrate-cli: no drive that writes\n"));
              return kExitNoDrive;
            }
            PrintIdentity(device, index, options->json, session.out);
            return kExitOk;
          }};
}

}  // namespace cli
