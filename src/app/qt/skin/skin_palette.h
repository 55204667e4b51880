// The skin's colours as Qt paints them: each is the look's colour of the same name.
#pragma once

#include <QColor>
#include <QPalette>

#include "app/look/frame.h"
#include "app/look/palette.h"

class QWidget;

namespace skin {

inline QColor ToQColor(app::look::Rgb c) {
  return QColor(c.red, c.green, c.blue, c.alpha);
}

inline const QColor kFrameColor = ToQColor(app::look::kFrameColor);
inline const QColor kBorderColor = ToQColor(app::look::kBorderColor);
inline const QColor kTitleTop = ToQColor(app::look::kTitleTop);
inline const QColor kTitleBottom = ToQColor(app::look::kTitleBottom);
inline const QColor kTitleText = ToQColor(app::look::kTitleText);
inline const QColor kControlTop = ToQColor(app::look::kControlTop);
inline const QColor kControlBottom = ToQColor(app::look::kControlBottom);
inline const QColor kControlBorder = ToQColor(app::look::kControlBorder);
inline const QColor kHoverBorder = ToQColor(app::look::kHoverBorder);
inline const QColor kPressedTop = ToQColor(app::look::kPressedTop);
inline const QColor kPressedBottom = ToQColor(app::look::kPressedBottom);
inline const QColor kDisabledText = ToQColor(app::look::kDisabledText);
inline const QColor kFocusColor = ToQColor(app::look::kFocusColor);
// Shaded by Qt at 16 bits a channel, as the page control's gradients have always been drawn;
// they round to the look's colours of the same names.
inline const QColor kPageColor = kFrameColor.lighter(app::look::kPageLighter);
inline const QColor kTabBottom = kControlBottom.darker(app::look::kTabDarker);
inline const QColor kNavy = ToQColor(app::look::kNavy);
inline const QColor kBlue = ToQColor(app::look::kBlue);
inline const QColor kRed = ToQColor(app::look::kRed);

using app::look::kTitleBarHeight;

// The skin is a fixed look: every colour it shows is its own, never the desktop theme's (a
// dark theme must not turn the report's text light on the memo's white). Each skinned window
// and each popup of the program (menus, the drop-down list) takes this palette.
QPalette SkinPalette();
void UseSkinPalette(QWidget& window);

}  // namespace skin
