#include "app/report_export.h"

#include <QSaveFile>
#include <nlohmann/json.hpp>

#include "device/text_encoding.h"

namespace app {

QString ReportText(const std::vector<std::string>& lines) {
  return QString::fromUtf8(ReportBytes(lines, ReportFormat::Text));
}

QByteArray ReportBytes(const std::vector<std::string>& lines, ReportFormat format) {
  if (format == ReportFormat::Json) {
    nlohmann::ordered_json report = nlohmann::ordered_json::array();
    for (const std::string& line : lines) report.push_back(device::Cp1252ToUtf8(line));
    const std::string text = nlohmann::ordered_json{{"report", report}}.dump(2) + "\n";
    return QByteArray::fromStdString(text);
  }
  std::string text;
  for (const std::string& line : lines) text += device::Cp1252ToUtf8(line) + "\n";
  return QByteArray::fromStdString(text);
}

bool SaveReport(const QString& path, const std::vector<std::string>& lines, ReportFormat format,
                QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  const QByteArray bytes = ReportBytes(lines, format);
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace app
