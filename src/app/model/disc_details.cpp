#include "app/model/disc_details.h"

#include "device/atapi_device.h"
#include "media/media_report.h"
#include "media/speed_verdict.h"

namespace app::model {

DiscDetails ReadDiscDetails(device::AtapiDevice& device) {
  DiscDetails details;
  details.status = media::ReadDiscStatus(device);
  if (!details.status.disc) return details;
  media::SilentReportSink sink;
  media::QueryOptions options;
  options.speedTable = true;
  const media::MediaReport report = media::RunMediaReport(device, {}, sink, options);
  details.discKind = report.discKind;
  if (report.discKind == media::DiscKind::None) return details;
  const std::optional<uint32_t> picked =
      report.hasSpeed && report.speedKbps != 0 ? std::optional(report.speedKbps) : std::nullopt;
  details.table = media::BuildSpeedTable(report.speedAnswers.value_or(media::SpeedAnswers{}),
                                         report.discKind, picked, report.discRating);
  details.verdict = media::SpeedVerdict(details.table);
  return details;
}

}  // namespace app::model
