#include "app/model/report_export.h"

#include "app/model/disc_details.h"
#include "app/model/display_text.h"
#include "media/disc_status_json.h"
#include "media/disc_status_text.h"
#include "media/report_json.h"
#include "media/speed_table_output.h"
#include "platform/files/atomic_file.h"
#include "text/text_encoding.h"

namespace app::model {
namespace {

std::string Document(const nlohmann::ordered_json& document) {
  return text::EscapeJsonControls(document.dump(2)) + "\n";
}

}  // namespace

std::string ReportText(const std::vector<std::string>& lines) {
  // One report line is one line of text, whatever bytes a drive or a file put into it.
  std::string text;
  for (const std::string& line : lines) text += DisplayLine(line) + "\n";
  return text;
}

std::string ReportJson(const device::DriveEntry& drive, int driveIndex,
                       const media::MediaReport& report) {
  return Document(media::ReportJson(drive, driveIndex, report));
}

std::string ReportJsonWithDetails(const device::DriveEntry& drive, int driveIndex,
                                  const media::MediaReport& report, const DiscDetails& details) {
  nlohmann::ordered_json document = media::ReportJson(drive, driveIndex, report);
  nlohmann::ordered_json status = media::DiscStatusJson(details.status);
  status["lines"] = media::DiscStatusLines(details.status);
  nlohmann::ordered_json speeds = nullptr;
  if (details.discKind != media::DiscKind::None)
    speeds = media::SpeedTableJson(details.discKind, details.table, details.verdict);
  document["details"] = {{"status", status}, {"speeds", speeds}};
  return Document(document);
}

std::string SaveReportFile(const std::string& path, const std::string& bytes) {
  const platform::AtomicWriteResult written = platform::WriteFileAtomically(
      path, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, 0644,
      platform::LinkPolicy::FollowOwnLink);
  return written.ok() ? std::string() : written.reason;
}

std::string WithReportSuffix(const std::string& path, bool json) {
  const size_t separator = path.find_last_of("/\\");
  const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  // A leading dot names a hidden file, not a suffix.
  const size_t dot = name.find_last_of('.');
  if (name.empty() || (dot != std::string::npos && dot > 0)) return path;
  return path + (json ? ".json" : ".txt");
}

std::string ReportNotSavedText(const std::string& why) {
  return "The report could not be saved: " + why;
}

}  // namespace app::model
