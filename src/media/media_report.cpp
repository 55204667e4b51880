#include "media/media_report.h"

#include "device/sense.h"
#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/drive_kind.h"
#include "media/lightscribe.h"
#include "media/report_lines.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace media {
namespace {

using text::FormatC;

constexpr int kReadyWaitSeconds = 60;
constexpr double kCdSpeedUnitKbps = 176;    // CD 1X
constexpr double kDvdSpeedUnitKbps = 1385;  // DVD 1X
constexpr uint16_t kHighestSpeed = 0xFFFF;

void SetSpeedLimit(MediaReport& report, double unitKbps, const char* factorFormat) {
  report.hasSpeed = true;
  report.speedUnitKbps = unitKbps;
  report.speedX = report.speedKbps / unitKbps;
  report.speedXText = FormatC(factorFormat, report.speedX);
}

std::string SpeedLimitLine(const MediaReport& report) {
  return "QUILL-RATE Speed Limit = " + report.speedXText + "X (Write)";
}

// Collects the lines and hands each one on as soon as it is known.
class Writer {
 public:
  Writer(MediaReport& report, ReportSink& sink) : report_(report), sink_(sink) {}
  void Add(const std::string& line) {
    report_.lines.push_back(line);
    sink_.Line(line);
  }
  void Add(const std::vector<std::string>& lines) {
    for (const auto& line : lines) Add(line);
  }

 private:
  MediaReport& report_;
  ReportSink& sink_;
};

// The manufacturer of what the query has read so far: `facts` holds the IDs the lines show.
void ManufacturerLine(device::AtapiDevice& device, const ManufacturerSources& sources,
                      MediaFacts facts, MediaReport& report, Writer& out) {
  facts.driveKind = report.readersDriveKind;
  facts.discKind = report.discKind;
  facts.leadIn = report.leadIn;
  facts.leadOut = report.leadOut;
  facts.dvdRam = report.dvdRamInfo;
  report.manufacturer = FindManufacturerText(device, facts, sources);
  report.hasManufacturer = true;
  out.Add("Manufacturer Maybe = " +
          (report.manufacturer.Found() ? report.manufacturer.text : std::string("Unknown")));
}

void CdLines(device::AtapiDevice& device, const ManufacturerSources& sources,
             const QueryOptions& options, MediaReport& report, Writer& out) {
  report.leadIn = ReadAtipTime(device, AtipTime::LeadIn);
  report.leadOut = ReadAtipTime(device, AtipTime::LeadOut);
  out.Add(MaterialLine(report.discKind, report.leadIn));
  out.Add(LeadInLine(report.leadIn));
  out.Add(LeadOutLine(report.leadOut));
  out.Add(CdCapacityLine(report.leadOut));
  ManufacturerLine(device, sources, {}, report, out);
  // Before the speed is set: the ATIP read above is still at hand.
  if (options.speedTable) report.discRating = ReadDiscRating(device, report.discKind);
  if (!options.speedLimit) return;
  device.SetCdSpeed(0, kHighestSpeed, kHighestSpeed, 0);
  report.speedKbps = ReadCdWriteSpeed(device);
  if (report.speedKbps != 0) report.speedLeftAtKbps = report.speedKbps;
  if (report.discKind == DiscKind::CdRom) report.speedKbps = 0;
  SetSpeedLimit(report, kCdSpeedUnitKbps, "%.0f");
  out.Add(SpeedLimitLine(report));
}

void DvdLines(device::AtapiDevice& device, const ManufacturerSources& sources,
              const QueryOptions& options, MediaReport& report, Writer& out) {
  const DiscKind kind = report.discKind;
  const DvdIds ids = InfoOf(kind).ids;
  MediaFacts facts;
  if (ids == DvdIds::Plus) {
    report.plusMid = ReadPlusMediaId(device, report.readersDriveKind, kind);
    report.plusTid = ReadPlusTypeId(device, report.readersDriveKind, kind);
    facts.plusMid = report.plusMid;
    out.Add(PlusIdLines(report.plusMid, report.plusTid));
  } else if (ids == DvdIds::Ram) {
    out.Add(DvdRamIdLines(report.dvdRamInfo));  // the classification's record
  } else {
    report.minusMid = ReadMinusMediaId(device, report.readersDriveKind, kind);
    facts.minusMid = report.minusMid;
    out.Add(MinusIdLines(report.minusMid));
  }
  report.capacityBlocks = ReadFormattedCapacity(device);
  out.Add(DvdCapacityLines(report.capacityBlocks));
  ManufacturerLine(device, sources, facts, report, out);
  // Before the speed is set: the classification's physical format is still at hand.
  if (options.speedTable) report.discRating = ReadDiscRating(device, kind);
  if (!options.speedLimit) return;
  report.writeSpeeds = SetMaxStreaming(device);
  device.SetCdSpeed(0, kHighestSpeed, kHighestSpeed, 0);
  if (IsDvdWriter(report.readersDriveKind)) {
    report.speedKbps = ReadDvdWriteSpeed(device);
    if (report.speedKbps != 0) report.speedLeftAtKbps = report.speedKbps;
  }
  if (kind == DiscKind::DvdRom) report.speedKbps = 0;
  SetSpeedLimit(report, kDvdSpeedUnitKbps, "%.1f");
  out.Add(SpeedLimitLine(report));
}

}  // namespace

MediaReport RunMediaReport(device::AtapiDevice& device, const ManufacturerSources& sources,
                           ReportSink& sink, QueryOptions options) {
  MediaReport report;
  Writer out(report, sink);
  sink.PleaseWait(kPleaseWait);
  device.WaitUntilReady(kReadyWaitSeconds);
  sink.Cleared();
  // Read first, before the speed is set: the whole capabilities page answers the drive
  // classification's shorter reads of it, and the write speed list the speed step's.
  // A drive without a disc has no write speed to list.
  if (options.speedTable && device::Classify(device.LastSense()) != device::SenseClass::NoMedium)
    report.speedAnswers = ReadSpeedAnswers(device);

  // The drive is classified once; the disc classification and the readers take its kind.
  report.driveKind = DetectDriveKind(device);
  report.readersDriveKind = report.driveKind;
  std::string driveLine = FormatC("        Drive Type = %s", DriveKindName(report.driveKind));
  report.lightScribe = GetLightScribeState(device);
  std::vector<std::string> labelSide;
  if (report.lightScribe > kNoLightScribe)
    driveLine = text::TrimTrailingBlanks(driveLine) + " (Support LightScribe)";
  // The label-side fields are in the page 32h answer, which the next command overwrites.
  if (report.lightScribe == kLightScribeLabelSide) labelSide = LabelSideLines(device);
  out.Add(driveLine);

  const DiscClass disc = ClassifyDisc(device, report.driveKind);
  report.discKind = disc.kind;
  const DiscKind kind = report.discKind;
  // The readers and the speed step take the drive's kind as it is now: one that could not
  // be classified before the disc wait is asked again. The drive line stays as shown.
  if (report.driveKind == DriveKind::Unknown) report.readersDriveKind = DetectDriveKind(device);
  std::string discLine = IsCdR(kind) ? std::string("         Disc Type = CDR")
                                     : FormatC("         Disc Type = %s", DiscKindName(kind));
  if (HasLayers(kind)) {
    discLine = text::TrimTrailingBlanks(discLine) +
               (IsDoubleLayer(kind) ? " (Double Layer)" : " (Single Layer)");
  }
  if (report.lightScribe == kLightScribeLabelSide) {
    out.Add(labelSide);
    return report;
  }
  if (report.lightScribe == kLightScribeDataSide) {
    discLine = text::TrimTrailingBlanks(discLine) + " (LightScribe Data Side)";
  }
  out.Add(discLine);

  if (IsCdFamily(kind)) {
    CdLines(device, sources, options, report, out);
  } else if (IsDvdFamily(kind)) {
    // A DVD-RAM's identification is the record its classification read.
    if (InfoOf(kind).ids == DvdIds::Ram) report.dvdRamInfo = disc.dvdRam;
    DvdLines(device, sources, options, report, out);
  } else if (IsBdFamily(kind)) {
    report.bdDiscInfo = disc.bd;
    out.Add(BdLines(report.bdDiscInfo));
  }
  return report;
}

}  // namespace media
