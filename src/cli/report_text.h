// A disc's report as text: the drive's line, then the report's lines, control characters made
// visible.
#pragma once

#include <ostream>

#include "device/drive_entry.h"
#include "media/media_report.h"

namespace cli {

void PrintReportText(std::ostream& out, const device::DriveEntry& entry, int index,
                     const media::MediaReport& report);

}  // namespace cli
