#include "app/qt/skin/skin_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QStringList>
#include <QWidget>

namespace skin {
namespace {

QStringList CandidatesFor(const QString& layoutFamily) {
  QStringList candidates;
  const std::string family = layoutFamily.toStdString();
  for (std::string_view candidate : app::look::FontCandidates(family)) {
    candidates << QString::fromLatin1(candidate.data(), static_cast<qsizetype>(candidate.size()));
  }
  return candidates;
}

}  // namespace

QString ResolveFamily(const QString& layoutFamily) {
  static QHash<QString, QString> resolved;
  auto found = resolved.constFind(layoutFamily);
  if (found != resolved.constEnd()) return *found;
  const QStringList installed = QFontDatabase::families();
  QString choice;
  for (const QString& candidate : CandidatesFor(layoutFamily)) {
    if (installed.contains(candidate, Qt::CaseInsensitive)) {
      choice = candidate;
      break;
    }
  }
  if (choice.isEmpty() && app::look::IsFixedPitch(layoutFamily.toStdString())) {
    choice = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  }
  if (choice.isEmpty()) choice = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  resolved.insert(layoutFamily, choice);
  return choice;
}

QFont SkinFont(const FontChoice& choice) {
  const QString layoutFamily = QString::fromLatin1(choice.family);
  QFont font(ResolveFamily(layoutFamily));
  font.setPixelSize(choice.pixelSize);
  font.setBold(choice.bold);
  font.setUnderline(choice.underline);
  if (app::look::IsFixedPitch(choice.family)) {
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  } else {
    font.setStyleHint(QFont::SansSerif);
  }
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void FitTextWidth(QWidget& widget, const QString& text, int spareWidth) {
  QFont font = widget.font();
  const int available = widget.width() - spareWidth;
  for (int stretch = 100; stretch >= 75; stretch -= 5) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(text) <= available) break;
  }
  widget.setFont(font);
}

}  // namespace skin
