// The report as the memo's menu copies and saves it: text, one line per report line, or the
// same JSON document as `quillrate-cli report --json`; with the details read for it, that
// document holds under "details" the disc status as `status --json` gives it and the speed
// table as `speeds --json` gives it.
#pragma once

#include <string>
#include <vector>

namespace device {
struct DriveEntry;
}
namespace media {
struct MediaReport;
}

namespace app::model {

struct DiscDetails;

std::string ReportText(const std::vector<std::string>& lines);
std::string ReportJson(const device::DriveEntry& drive, int driveIndex,
                       const media::MediaReport& report);
std::string ReportJsonWithDetails(const device::DriveEntry& drive, int driveIndex,
                                  const media::MediaReport& report, const DiscDetails& details);
// Writes the file complete or not at all; empty, or why it could not be written.
std::string SaveReportFile(const std::string& path, const std::string& bytes);

// The memo's menu, as both views show it.
inline constexpr const char* kCopyReportItem = "Copy &Report";
inline constexpr const char* kSaveTextItem = "Save Report as &Text...";
inline constexpr const char* kSaveJsonItem = "Save Report as &JSON...";
// The save dialog's title, and the file name and suffix it proposes, for each format.
struct SaveReportDialog {
  const char* title;
  const char* fileName;
  const char* suffix;
};
inline constexpr SaveReportDialog kSaveTextDialog{"Save Report as Text", "quillrate-report.txt",
                                                  "txt"};
inline constexpr SaveReportDialog kSaveJsonDialog{"Save Report as JSON", "quillrate-report.json",
                                                  "json"};

// Checked while a disc that becomes ready in the selected drive is queried on its own.
inline constexpr const char* kAutoQueryItem = "&Query a New Disc by Itself";
// The report's file name as the user typed it, with the format's suffix (".txt", ".json")
// added when its last part has none; a name with any suffix is kept as typed.
std::string WithReportSuffix(const std::string& path, bool json);
// The save dialog's filter and first name for each format, as both views show them.
inline constexpr const char* kTextFilterName = "Text files (*.txt)";
inline constexpr const char* kJsonFilterName = "JSON files (*.json)";

// The message when a save failed, `why` as SaveReport gives it.
std::string ReportNotSavedText(const std::string& why);

}  // namespace app::model
