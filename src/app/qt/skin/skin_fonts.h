// Fonts of the skin. The window layouts name Windows families ("Verdana", "Tahoma",
// "Courier New", "MS Sans Serif"); on other systems they map to installed families of the
// same kind, and the fixed-pitch family is always really fixed-pitch.
#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace skin {

struct FontChoice {
  const char* family = "MS Sans Serif";
  int pixelSize = 11;
  bool bold = false;
  bool underline = false;
};

QFont SkinFont(const FontChoice& choice);

// The installed family a layout family resolves to.
QString ResolveFamily(const QString& layoutFamily);

// Narrows the widget's font (never below 75 % width) until `text` fits its width, so a
// fixed-size control shows its whole caption with a wider substitute font.
void FitTextWidth(QWidget& widget, const QString& text, int spareWidth = 0);

}  // namespace skin
