// The media query: questions the selected drive and the disc in it and writes the report
// lines, one by one, to a sink. The window and the command-line tool run this same code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/atapi_device.h"

namespace custom {
struct CdMediaEntry;
struct DvdMediaEntry;
}  // namespace custom

namespace media {

// Receives the report as it is produced. Texts are 8-bit Windows-1252 bytes.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  // The query starts: clear the report and show "Please wait ..." (paint it now).
  virtual void PleaseWait(const std::string& line) = 0;
  // The drive has had its time to become ready: clear the report again.
  virtual void Cleared() = 0;
  // One report line, in order.
  virtual void Line(const std::string& line) = 0;
};

// Where manufacturer texts are looked up, in this order: the user's media file, the OEM's
// tables in the executable, then the built-in tables.
struct ManufacturerSources {
  const std::vector<custom::CdMediaEntry>* userCdRows = nullptr;
  const std::vector<custom::DvdMediaEntry>* userDvdRows = nullptr;
  const custom::CdMediaEntry* blockCdRows = nullptr;    // 500 rows
  const custom::DvdMediaEntry* blockDvdRows = nullptr;  // 500 rows
};

}  // namespace media
