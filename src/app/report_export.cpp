#include "app/report_export.h"

#include <QSaveFile>

#include "device/text_encoding.h"
#include "media/report_json.h"

namespace app {

QByteArray ReportText(const std::vector<std::string>& lines) {
  std::string text;
  // One report line is one line of text, whatever bytes a drive or a file put into it.
  for (const std::string& line : lines) text += device::VisibleText(line) + "\n";
  return QByteArray::fromStdString(text);
}

QByteArray ReportJson(const device::DriveEntry& drive, int driveIndex,
                      const media::MediaReport& report) {
  return QByteArray::fromStdString(media::ReportJson(drive, driveIndex, report).dump(2) + "\n");
}

bool SaveReportFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace app
