// The media query: questions the selected drive and the disc in it and writes the report
// lines, one by one, to a sink. The window and the command-line tool run this same code.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "custom/media_row_match.h"
#include "device/atapi_device.h"
#include "media/disc_rating.h"
#include "media/kinds.h"
#include "media/manufacturer_text.h"
#include "media/media_id.h"
#include "media/speed_answers.h"
#include "media/write_speed.h"

namespace media {

inline constexpr const char* kPleaseWait = "Please wait ...";

// Receives the report as it is produced. Texts are 8-bit Windows-1252 bytes.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  // The query starts: clear the report and show this line (paint it now).
  virtual void PleaseWait(const std::string& line) = 0;
  // The drive has had its time to become ready: clear the report again.
  virtual void Cleared() = 0;
  // One report line, in order.
  virtual void Line(const std::string& line) = 0;
};

// For callers that only want the finished report.
class SilentReportSink : public ReportSink {
 public:
  void PleaseWait(const std::string&) override {}
  void Cleared() override {}
  void Line(const std::string&) override {}
};

// Everything one query learnt, for callers that want more than the lines.
struct MediaReport {
  std::vector<std::string> lines;
  DriveKind driveKind = DriveKind::Unknown;         // as the drive line shows it
  DriveKind readersDriveKind = DriveKind::Unknown;  // as the readers took it: asked again after the
                                                    // disc wait when the first answer was unknown
  DiscKind discKind = DiscKind::None;
  int32_t lightScribe = 0;
  // CD
  uint32_t leadIn = 0;
  uint32_t leadOut = 0;
  // DVD identifiers as read (all zeros when not read)
  PlusMid plusMid{};
  PlusTid plusTid{};
  MinusMid minusMid{};
  std::array<uint8_t, 64> dvdRamInfo{};
  uint32_t capacityBlocks = 0;
  // BD disc information record
  std::array<uint8_t, 17> bdDiscInfo{};
  // The manufacturer line, when the report has one.
  bool hasManufacturer = false;
  custom::ManufacturerMatch manufacturer;
  // The speed line, when the report has one: the speed the drive selected in kB/s, the kB/s
  // of 1X for the disc's family (CD 176, DVD 1385), and the factor as the line writes it
  // (whole on a CD, one decimal on a DVD).
  bool hasSpeed = false;
  uint32_t speedKbps = 0;
  double speedUnitKbps = 0;
  double speedX = 0;
  std::string speedXText;
  // The report asks the drive for its highest speeds and leaves it there: the write speed in
  // kB/s the drive reported as selected afterwards (the line shows 0 for a pressed disc all
  // the same); none when the drive did not tell (0 is no speed).
  std::optional<uint32_t> speedLeftAtKbps;
  std::vector<WriteSpeedDescriptor> writeSpeeds;
  // Read only when the query is asked for the full write-speed table: both lists of write
  // speeds, and the rating the disc carries (none when it carries none).
  std::optional<SpeedAnswers> speedAnswers;
  std::optional<DiscRating> discRating;
};

struct QueryOptions {
  // Ask the drive for its highest speeds and report the speed it selects. Without it the
  // query only reads: it changes no setting of the drive.
  bool speedLimit = true;
  // Also read everything the full write-speed table needs, each answer at the point where
  // the query's own reads have it at hand (so nothing is asked twice).
  bool speedTable = false;
};

// Runs the whole query on the selected drive.
MediaReport RunMediaReport(device::AtapiDevice& device, const ManufacturerSources& sources,
                           ReportSink& sink, QueryOptions options = {});

}  // namespace media
