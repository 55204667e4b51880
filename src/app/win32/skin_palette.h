// The skin's colours, as the Qt program's skin has them: a steel-blue title bar over light
// grey controls, the frame colour and border that the window layouts fix.
#pragma once

#include "platform/windows_api.h"

namespace win32ui {

inline constexpr COLORREF kFrameColor = RGB(0xE8, 0xE8, 0xE8);
inline constexpr COLORREF kPageColor = RGB(0xEC, 0xEC, 0xEC);  // the frame colour, 4 % lighter
inline constexpr COLORREF kBorderColor = RGB(0, 0, 0);
inline constexpr COLORREF kTitleTop = RGB(0x4A, 0x74, 0xA8);
inline constexpr COLORREF kTitleBottom = RGB(0x23, 0x45, 0x75);
inline constexpr COLORREF kTitleText = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kControlTop = RGB(0xFA, 0xFA, 0xFA);
inline constexpr COLORREF kControlBottom = RGB(0xD6, 0xDA, 0xE0);
inline constexpr COLORREF kControlBorder = RGB(0x7A, 0x86, 0x96);
inline constexpr COLORREF kHoverBorder = RGB(0x3C, 0x6C, 0xB0);
inline constexpr COLORREF kPressedTop = RGB(0xC4, 0xCC, 0xD8);
inline constexpr COLORREF kPressedBottom = RGB(0xE6, 0xEA, 0xF0);
inline constexpr COLORREF kDisabledText = RGB(0x9A, 0x9A, 0x9A);
inline constexpr COLORREF kFocusColor = RGB(0x3C, 0x6C, 0xB0);
inline constexpr COLORREF kNavy = RGB(0x00, 0x00, 0x80);
inline constexpr COLORREF kBlue = RGB(0x00, 0x00, 0xFF);
inline constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);

inline constexpr int kTitleBarHeight = 21;

}  // namespace win32ui
