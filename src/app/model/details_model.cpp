#include "app/model/details_model.h"

#include "app/model/display_text.h"
#include "media/disc_status_text.h"
#include "media/speed_table_output.h"

namespace app::model {
namespace {

std::vector<std::string> Shown(const std::vector<std::string>& lines) {
  std::vector<std::string> shown;
  shown.reserve(lines.size());
  for (const std::string& line : lines) shown.push_back(DisplayLine(line));
  return shown;
}

}  // namespace

DetailsDescription DescribeDetails(const DiscDetails& details) {
  DetailsDescription description;
  description.statusLines = Shown(media::DiscStatusLines(details.status));
  if (details.discKind == media::DiscKind::None) {
    description.speedLines = {kDetailsNoDiscSpeeds};
    description.plot.axisTitle = kPlotAxisTitle;
    description.plot.emptyText = kPlotEmptyText;
    return description;
  }
  // The verdict has a line of its own in the window: the table's lines stop before it.
  description.speedLines =
      Shown(media::SpeedTableLines(details.discKind, details.table, std::nullopt));
  if (details.verdict) description.verdict = DisplayLine(*details.verdict);
  description.plot = DescribeSpeedPlot(details.table);
  return description;
}

DetailsDescription ReadingDetails() {
  DetailsDescription description;
  description.reading = true;
  description.statusLines = {kDetailsReadingText};
  description.plot.axisTitle = kPlotAxisTitle;
  description.plot.emptyText = kDetailsReadingText;
  return description;
}

DetailsDescription NotReadDetails() {
  DetailsDescription description;
  description.statusLines = {kDetailsNotReadText};
  description.plot.axisTitle = kPlotAxisTitle;
  description.plot.emptyText = kPlotEmptyText;
  return description;
}

std::vector<std::string> DetailsExportLines(const DetailsDescription& details) {
  std::vector<std::string> lines{"", kDetailsExportHeading};
  lines.insert(lines.end(), details.statusLines.begin(), details.statusLines.end());
  lines.insert(lines.end(), details.speedLines.begin(), details.speedLines.end());
  if (!details.verdict.empty()) lines.push_back(details.verdict);
  return lines;
}

}  // namespace app::model
