// The report saved as JSON with the details read for it: the document of
// `quillrate-cli report --json`, and under "details" the disc status as `status --json` gives
// it and the speed table as `speeds --json` gives it.
#pragma once

#include <string>

#include "app/model/disc_details.h"

namespace device {
struct DriveEntry;
}
namespace media {
struct MediaReport;
}

namespace app::model {

std::string ReportJsonWithDetails(const device::DriveEntry& drive, int driveIndex,
                                  const media::MediaReport& report, const DiscDetails& details);

}  // namespace app::model
