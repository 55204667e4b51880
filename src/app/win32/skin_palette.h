// The skin's colours as GDI paints them: each is the look's colour of the same name.
#pragma once

#include "app/look/frame.h"
#include "app/look/palette.h"
#include "platform/windows_api.h"

namespace win32ui {

// A colour of the look; one with transparency as it shows over `under`.
constexpr COLORREF ToColorRef(app::look::Rgb c, app::look::Rgb under = app::look::kFrameColor) {
  const app::look::Rgb shown = c.alpha == 0xFF ? c : app::look::Blend(c, under);
  return RGB(shown.red, shown.green, shown.blue);
}

inline constexpr COLORREF kFrameColor = ToColorRef(app::look::kFrameColor);
inline constexpr COLORREF kPageColor = ToColorRef(app::look::kPageColor);
inline constexpr COLORREF kBorderColor = ToColorRef(app::look::kBorderColor);
inline constexpr COLORREF kTitleTop = ToColorRef(app::look::kTitleTop);
inline constexpr COLORREF kTitleBottom = ToColorRef(app::look::kTitleBottom);
inline constexpr COLORREF kTitleText = ToColorRef(app::look::kTitleText);
inline constexpr COLORREF kControlTop = ToColorRef(app::look::kControlTop);
inline constexpr COLORREF kControlBottom = ToColorRef(app::look::kControlBottom);
inline constexpr COLORREF kControlBorder = ToColorRef(app::look::kControlBorder);
inline constexpr COLORREF kHoverBorder = ToColorRef(app::look::kHoverBorder);
inline constexpr COLORREF kPressedTop = ToColorRef(app::look::kPressedTop);
inline constexpr COLORREF kPressedBottom = ToColorRef(app::look::kPressedBottom);
inline constexpr COLORREF kDisabledText = ToColorRef(app::look::kDisabledText);
inline constexpr COLORREF kFocusColor = ToColorRef(app::look::kFocusColor);
inline constexpr COLORREF kNavy = ToColorRef(app::look::kNavy);
inline constexpr COLORREF kBlue = ToColorRef(app::look::kBlue);
inline constexpr COLORREF kRed = ToColorRef(app::look::kRed);
inline constexpr COLORREF kBlack = ToColorRef(app::look::kBlack);
inline constexpr COLORREF kWhite = ToColorRef(app::look::kWhite);

using app::look::kTitleBarHeight;

}  // namespace win32ui
