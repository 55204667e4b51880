// The report as the memo's context menu hands it out: plain text for the clipboard and
// text files, the terminal's JSON document for other programs. Files are replaced
// atomically.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

#include "device/drive_entry.h"
#include "media/media_report.h"

namespace app {

// Lines are the report's 8-bit program texts; the text is UTF-8, one line per line.
QByteArray ReportText(const std::vector<std::string>& lines);
// The same document as `quillrate-cli report --json` for one drive.
QByteArray ReportJson(const device::DriveEntry& drive, int driveIndex,
                      const media::MediaReport& report);
// Writes through a temporary file that replaces `path` only when complete. On failure,
// `error` says why.
bool SaveReportFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace app
