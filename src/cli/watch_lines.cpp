#include "cli/watch_lines.h"

#include "media/kinds.h"
#include "media/report_json.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

std::string Identity(const device::DriveEntry& entry) {
  std::string text;
  for (const std::string_view part :
       {text::TextOf(entry.Vendor), text::TextOf(entry.Product), text::TextOf(entry.Revision)}) {
    const std::string trimmed = text::TrimTrailingBlanks(std::string(part));
    if (trimmed.empty()) continue;
    if (!text.empty()) text += ' ';
    text += trimmed;
  }
  return text;
}

}  // namespace

std::string WatchTextLine(const live::WatchEvent& event, const media::MediaReport* report) {
  std::string line =
      text::FormatC("%8.3f s  drive %d (%s)  %-13s  %s", static_cast<double>(event.timeMs) / 1000.0,
                    event.index, text::TextToUtf8(event.root).c_str(), live::EventName(event.kind),
                    live::StateText(event.state));
  if (event.kind == live::EventKind::DriveAdded && event.entry != nullptr) {
    const std::string identity = Identity(*event.entry);
    if (!identity.empty()) line += "  (" + text::TextToUtf8(identity) + ")";
  }
  if (event.withReport && report != nullptr) {
    line += ": " + text::TrimTrailingBlanks(media::DiscKindName(report->discKind));
    if (report->hasManufacturer) line += ", " + text::TextToUtf8(report->manufacturer.text);
  }
  return text::VisibleText(line);
}

nlohmann::ordered_json WatchJson(const live::WatchEvent& event, const media::MediaReport* report) {
  nlohmann::ordered_json object{{"time", static_cast<double>(event.timeMs) / 1000.0},
                                {"drive", event.index},
                                {"device", text::TextToUtf8(event.root)},
                                {"event", live::EventName(event.kind)},
                                {"state", live::StateText(event.state)}};
  if (event.withReport && report != nullptr && event.entry != nullptr) {
    object["report"] = media::ReportJson(*event.entry, event.index, *report);
  }
  return object;
}

}  // namespace cli
