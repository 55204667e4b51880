// The details view without a toolkit: what the Qt and the Win32 details windows show, each
// drawing the same description with its own painting. Texts are UTF-8, ready to show.
#pragma once

#include <string>
#include <vector>

#include "app/model/disc_details.h"
#include "app/model/speed_plot.h"

namespace app::model {

struct DetailsDescription {
  bool reading = false;  // the details are being read: the texts say so, nothing is drawn
  std::vector<std::string> statusLines;  // as `quillrate-cli status` prints them
  std::vector<std::string> speedLines;   // as `quillrate-cli speeds` prints its table
  std::string verdict;                   // empty when there is none
  SpeedPlot plot;
};

// The window, its controls and their accessible names, as both views show them.
inline constexpr const char* kDetailsCaption = "Disc Details";
inline constexpr const char* kDetailsMenuItem = "Disc &Details...";
inline constexpr const char* kDetailsStatusName = "Disc status and free space";
inline constexpr const char* kDetailsSpeedsName = "Write speeds";
inline constexpr const char* kDetailsVerdictName = "Verdict";
inline constexpr const char* kDetailsPlotName = "Plot of the write speeds";
inline constexpr const char* kDetailsReadAgain = "&Read Again";
inline constexpr const char* kDetailsClose = "Close";
inline constexpr const char* kDetailsReadingText = "Reading the disc details ...";
inline constexpr const char* kDetailsNotReadText = "Not read: press Read Again.";
inline constexpr const char* kDetailsNoDiscSpeeds = "No disc: no write speed to list.";
// The heading of the details block after the report's lines in a saved report.
inline constexpr const char* kDetailsExportHeading = "Disc details";

DetailsDescription DescribeDetails(const DiscDetails& details);
// While the details are read, and when they were not (a cancelled query, a new report).
DetailsDescription ReadingDetails();
DetailsDescription NotReadDetails();

// The block a saved report gets after its lines: a blank line, the heading, the status lines,
// the speed table and the verdict.
std::vector<std::string> DetailsExportLines(const DetailsDescription& details);

}  // namespace app::model
