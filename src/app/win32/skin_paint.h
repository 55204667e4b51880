// Painting the skin with GDI: gradients, the skinned button face, the window frame with its
// title bar, and the pictures that the Qt skin draws (kept as bitmaps in the resources).
#pragma once

#include <string>

#include "app/look/frame.h"
#include "platform/windows_api.h"

namespace win32ui {

enum class Picture {
  QueryNormal,
  QueryHover,
  QueryPressed,
  MakerLogo,
  OemLogo,
  IconInformation,
  IconWarning,
  IconError,
};

// The picture's bitmap (32 bits, premultiplied alpha), loaded once; null when missing.
HBITMAP PictureBitmap(Picture picture);
SIZE PictureSize(Picture picture);
// Blends the picture onto `dc` at x, y; `opacity` 0-255.
void DrawPicture(HDC dc, Picture picture, int x, int y, BYTE opacity = 255);

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void FillVertical(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);
void FrameRect(HDC dc, const RECT& rect, COLORREF color);
void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int style = PS_SOLID);

using app::look::kClose;
using app::look::kMaximize;
using app::look::kMinimize;
using app::look::kNoButton;
using app::look::kSystemMenu;
using app::look::TitleButton;

// A rectangle of the look (left, top, width, height) as GDI's edges.
inline RECT ToRect(const app::look::LayoutRect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}
// The frame: colour, title bar with caption and buttons, 1-pixel black border.
struct FrameLook {
  bool titleBar = true;
  int buttons = 0;
  int hovered = kNoButton;
  int pressed = kNoButton;
  bool maximized = false;
  int inset = 0;  // the border's distance from the window's edge
};
void PaintFrame(HDC dc, const RECT& client, const std::wstring& caption, const FrameLook& look);

// A skinned push button's face and caption.
struct ButtonLook {
  bool enabled = true;
  bool down = false;
  bool hover = false;
  bool focus = false;
  COLORREF textColor = 0;  // black
  HFONT font = nullptr;
};
void PaintButton(HDC dc, const RECT& rect, const std::wstring& caption, const ButtonLook& look);

}  // namespace win32ui
