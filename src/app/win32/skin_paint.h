// Painting the skin with GDI: gradients, the skinned button face, the window frame with its
// title bar, and the pictures that the Qt skin draws (kept as bitmaps in the resources).
#pragma once

#include <string>

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

enum TitleButton { kNoButton = 0, kSystemMenu = 1, kClose = 2, kMaximize = 4, kMinimize = 8 };

// Where a title-bar button lies in a frame `width` pixels wide; empty when not shown.
RECT TitleButtonRect(int width, int buttons, TitleButton button);
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
  COLORREF textColor = RGB(0, 0, 0);
  HFONT font = nullptr;
};
void PaintButton(HDC dc, const RECT& rect, const std::wstring& caption, const ButtonLook& look);

}  // namespace win32ui
