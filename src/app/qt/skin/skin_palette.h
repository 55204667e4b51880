// The skin's colours. The frame colour and border are fixed by the window layouts; the rest
// is the skin's own scheme: a steel-blue title bar over light grey controls.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace skin {

inline const QColor kFrameColor{0xE8, 0xE8, 0xE8};
inline const QColor kBorderColor{0, 0, 0};
inline const QColor kTitleTop{0x4A, 0x74, 0xA8};
inline const QColor kTitleBottom{0x23, 0x45, 0x75};
inline const QColor kTitleText{0xFF, 0xFF, 0xFF};
inline const QColor kControlTop{0xFA, 0xFA, 0xFA};
inline const QColor kControlBottom{0xD6, 0xDA, 0xE0};
inline const QColor kControlBorder{0x7A, 0x86, 0x96};
inline const QColor kHoverBorder{0x3C, 0x6C, 0xB0};
inline const QColor kPressedTop{0xC4, 0xCC, 0xD8};
inline const QColor kPressedBottom{0xE6, 0xEA, 0xF0};
inline const QColor kDisabledText{0x9A, 0x9A, 0x9A};
inline const QColor kFocusColor{0x3C, 0x6C, 0xB0};
inline const QColor kNavy{0x00, 0x00, 0x80};
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kRed{0xFF, 0x00, 0x00};

inline constexpr int kTitleBarHeight = 21;

// The skin is a fixed look: every colour it shows is its own, never the desktop theme's (a
// dark theme must not turn the report's text light on the memo's white). Each skinned window
// and each popup of the program (menus, the drop-down list) takes this palette.
QPalette SkinPalette();
void UseSkinPalette(QWidget& window);

}  // namespace skin
