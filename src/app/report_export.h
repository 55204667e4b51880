// The report as the memo's context menu hands it out: plain text for the clipboard and
// text files, JSON for other programs. Files are replaced atomically.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

namespace app {

enum class ReportFormat { Text, Json };

// Lines are the report's 8-bit program texts.
QString ReportText(const std::vector<std::string>& lines);
QByteArray ReportBytes(const std::vector<std::string>& lines, ReportFormat format);
// Writes through a temporary file that replaces `path` only when complete. On failure,
// `error` says why.
bool SaveReport(const QString& path, const std::vector<std::string>& lines, ReportFormat format,
                QString* error);

}  // namespace app
