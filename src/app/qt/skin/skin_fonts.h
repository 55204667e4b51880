// Fonts of the skin as Qt draws them: the look's layout families, each mapped to the first of
// its stand-ins that is installed; the fixed-pitch family is always really fixed-pitch.
#pragma once

#include <QFont>
#include <QString>

#include "app/look/fonts.h"

class QWidget;

namespace skin {

using app::look::FontChoice;

QFont SkinFont(const FontChoice& choice);

// The installed family a layout family resolves to.
QString ResolveFamily(const QString& layoutFamily);

// Narrows the widget's font (never below 75 % width) until `text` fits its width, so a
// fixed-size control shows its whole caption with a wider substitute font.
void FitTextWidth(QWidget& widget, const QString& text, int spareWidth = 0);

}  // namespace skin
