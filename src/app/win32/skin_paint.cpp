#include "app/win32/skin_paint.h"

#include <algorithm>
#include <array>

#include "app/win32/skin_fonts.h"
#include "app/win32/skin_palette.h"

namespace win32ui {
namespace {

constexpr int kButtonWidth = 17;
constexpr int kButtonHeight = 15;

const wchar_t* ResourceName(Picture picture) {
  switch (picture) {
    case Picture::QueryNormal:
      return L"QUERY_NORMAL";
    case Picture::QueryHover:
      return L"QUERY_HOVER";
    case Picture::QueryPressed:
      return L"QUERY_PRESSED";
    case Picture::MakerLogo:
      return L"MAKER_LOGO";
    case Picture::OemLogo:
      return L"OEM_LOGO";
    case Picture::IconInformation:
      return L"ICON_INFORMATION";
    case Picture::IconWarning:
      return L"ICON_WARNING";
    case Picture::IconError:
      break;
  }
  return L"ICON_ERROR";
}

COLORREF Mix(COLORREF a, COLORREF b, int part, int whole) {
  auto channel = [&](int x, int y) { return x + (y - x) * part / std::max(whole, 1); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

COLORREF Lighter(COLORREF color, int percent) {
  auto channel = [&](int x) { return std::min(255, x * percent / 100); };
  return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}

void RoundBox(HDC dc, const RECT& rect, COLORREF border, int radius) {
  HPEN pen = CreatePen(PS_SOLID, 1, border);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

void PaintTitleButton(HDC dc, int width, const FrameLook& look, TitleButton button) {
  const RECT r = TitleButtonRect(width, look.buttons, button);
  if (IsRectEmpty(&r)) return;
  if (button == kSystemMenu) {
    // The system menu's mark: a small disc.
    HBRUSH brush = CreateSolidBrush(RGB(0xB8, 0xC8, 0xE0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xF0, 0xF4, 0xFA));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    FillSolid(dc, {r.left + 6, r.top + 6, r.left + 9, r.top + 9}, kTitleBottom);
    return;
  }
  COLORREF face = look.pressed == button && look.hovered == button ? Mix(kTitleBottom, 0, 1, 4)
                  : look.hovered == button                         ? Lighter(kTitleTop, 135)
                                                                   : Lighter(kTitleTop, 112);
  if (button == kClose && look.hovered == button) face = RGB(0xC8, 0x3C, 0x32);
  const RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  FillSolid(dc, inner, face);
  RoundBox(dc, r, Mix(face, kWhite, 3, 5), 4);
  const RECT g{r.left + 5, r.top + 4, r.right - 5, r.bottom - 4};
  switch (button) {
    case kClose:
      for (int d = 0; d < 2; ++d) {
        Line(dc, g.left + d, g.top, g.right + d, g.bottom + 1, kTitleText);
        Line(dc, g.right - 1 + d, g.top, g.left - 1 + d, g.bottom + 1, kTitleText);
      }
      break;
    case kMaximize:
      FrameRect(dc, g, kTitleText);
      Line(dc, g.left, g.top + 1, g.right, g.top + 1, kTitleText);
      break;
    case kMinimize:
      Line(dc, g.left, g.bottom - 1, g.right, g.bottom - 1, kTitleText);
      Line(dc, g.left, g.bottom - 2, g.right, g.bottom - 2, kTitleText);
      break;
    default:
      break;
  }
}

}  // namespace

HBITMAP PictureBitmap(Picture picture) {
  static std::array<HBITMAP, 8> loaded{};
  static std::array<bool, 8> tried{};
  const auto index = static_cast<size_t>(picture);
  if (!tried[index]) {
    tried[index] = true;
    loaded[index] = static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), ResourceName(picture), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  return loaded[index];
}

SIZE PictureSize(Picture picture) {
  BITMAP info{};
  if (HBITMAP bitmap = PictureBitmap(picture); bitmap != nullptr) {
    GetObjectW(bitmap, sizeof info, &info);
  }
  return {info.bmWidth, info.bmHeight};
}

void DrawPicture(HDC dc, Picture picture, int x, int y, BYTE opacity) {
  HBITMAP bitmap = PictureBitmap(picture);
  if (bitmap == nullptr) return;
  const SIZE size = PictureSize(picture);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, x, y, size.cx, size.cy, source, 0, 0, size.cx, size.cy, blend);
  SelectObject(source, old);
  DeleteDC(source);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void FillVertical(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  const int height = rect.bottom - rect.top;
  for (int y = 0; y < height; ++y) {
    FillSolid(dc, {rect.left, rect.top + y, rect.right, rect.top + y + 1},
              Mix(top, bottom, y, height - 1));
  }
}

void FrameRect(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  ::FrameRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int style) {
  HPEN pen = CreatePen(style, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

RECT TitleButtonRect(int width, int buttons, TitleButton button) {
  if ((buttons & button) == 0) return {};
  const int top = 1 + (kTitleBarHeight - kButtonHeight) / 2;
  if (button == kSystemMenu) return {4, top, 4 + kButtonHeight, top + kButtonHeight};
  int right = width - 4;
  for (TitleButton b : {kClose, kMaximize, kMinimize}) {
    if ((buttons & b) == 0) continue;
    if (b == button) return {right - kButtonWidth, top, right, top + kButtonHeight};
    right -= kButtonWidth + 2;
  }
  return {};
}

void PaintFrame(HDC dc, const RECT& client, const std::wstring& caption, const FrameLook& look) {
  FillSolid(dc, client, kFrameColor);
  const int width = client.right - client.left;
  if (look.titleBar) {
    const RECT bar{1, 1, width - 1, 1 + kTitleBarHeight};
    FillVertical(dc, bar, kTitleTop, kTitleBottom);
    int left = 8;
    if (look.buttons & kSystemMenu)
      left = TitleButtonRect(width, look.buttons, kSystemMenu).right + 6;
    int right = bar.right - 4;
    for (TitleButton b : {kMinimize, kMaximize, kClose}) {
      const RECT r = TitleButtonRect(width, look.buttons, b);
      if (!IsRectEmpty(&r)) right = std::min(right, static_cast<int>(r.left) - 4);
    }
    RECT text{left, bar.top, right, bar.bottom};
    HGDIOBJ old = SelectObject(dc, SkinFont({L"Tahoma", 11, true}));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTitleText);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    for (TitleButton b : {kSystemMenu, kMinimize, kMaximize, kClose}) {
      PaintTitleButton(dc, width, look, b);
    }
  }
  const RECT border{client.left + look.inset, client.top + look.inset, client.right - look.inset,
                    client.bottom - look.inset};
  FrameRect(dc, border, kBorderColor);
}

void PaintButton(HDC dc, const RECT& rect, const std::wstring& caption, const ButtonLook& look) {
  FillSolid(dc, rect, kFrameColor);
  const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  FillVertical(dc, inner, look.down ? kPressedTop : kControlTop,
               look.down ? kPressedBottom : kControlBottom);
  const COLORREF border = !look.enabled              ? Lighter(kControlBorder, 140)
                          : look.hover || look.focus ? kHoverBorder
                                                     : kControlBorder;
  RoundBox(dc, rect, border, 6);
  if (look.focus) {
    const RECT dots{rect.left + 3, rect.top + 3, rect.right - 3, rect.bottom - 3};
    HPEN pen = CreatePen(PS_DOT, 1, kFocusColor);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, dots.left, dots.top, dots.right, dots.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  }
  RECT text = rect;
  if (look.down) OffsetRect(&text, 1, 1);
  HGDIOBJ old =
      SelectObject(dc, look.font != nullptr ? look.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look.enabled ? look.textColor : kDisabledText);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

}  // namespace win32ui
