#include "app/model/details_export.h"

#include "media/disc_status_json.h"
#include "media/disc_status_text.h"
#include "media/report_json.h"
#include "media/speed_table_output.h"
#include "text/text_encoding.h"

namespace app::model {

std::string ReportJsonWithDetails(const device::DriveEntry& drive, int driveIndex,
                                  const media::MediaReport& report, const DiscDetails& details) {
  nlohmann::ordered_json document = media::ReportJson(drive, driveIndex, report);
  nlohmann::ordered_json status = media::DiscStatusJson(details.status);
  status["lines"] = media::DiscStatusLines(details.status);
  nlohmann::ordered_json speeds = nullptr;
  if (details.discKind != media::DiscKind::None)
    speeds = media::SpeedTableJson(details.discKind, details.table, details.verdict);
  document["details"] = {{"status", status}, {"speeds", speeds}};
  return text::EscapeJsonControls(document.dump(2)) + "\n";
}

}  // namespace app::model
