#include "app/win32/skin_paint.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "app/win32/skin_fonts.h"
#include "app/win32/skin_palette.h"

namespace win32ui {
namespace {

// The pictures' resource names, in the order of Picture.
constexpr const wchar_t* kResourceNames[] = {
    L"QUERY_NORMAL", L"QUERY_HOVER",      L"QUERY_PRESSED", L"MAKER_LOGO",
    L"OEM_LOGO",     L"ICON_INFORMATION", L"ICON_WARNING",  L"ICON_ERROR",
};
constexpr size_t kPictureCount = std::size(kResourceNames);
static_assert(static_cast<size_t>(Picture::IconError) + 1 == kPictureCount);

COLORREF Mix(COLORREF a, COLORREF b, int part, int whole) {
  auto channel = [&](int x, int y) { return x + (y - x) * part / std::max(whole, 1); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
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
  const RECT r = ToRect(app::look::TitleButtonRect(width, look.buttons, button));
  if (IsRectEmpty(&r)) return;
  if (button == kSystemMenu) {
    // The system menu's mark: a small disc.
    HBRUSH brush = CreateSolidBrush(ToColorRef(app::look::kSystemMenuDisc));
    HPEN pen =
        CreatePen(PS_SOLID, 1, ToColorRef(app::look::kSystemMenuEdge, app::look::kSystemMenuDisc));
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
  app::look::Rgb face = look.pressed == button && look.hovered == button
                            ? app::look::kTitleButtonPressed
                        : look.hovered == button ? app::look::kTitleButtonHover
                                                 : app::look::kTitleButtonFace;
  if (button == kClose && look.hovered == button) face = app::look::kCloseButtonHover;
  const RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  FillSolid(dc, inner, ToColorRef(face));
  RoundBox(dc, r, ToColorRef(app::look::kTitleButtonEdge, face), 4);
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
  static std::array<HBITMAP, kPictureCount> loaded{};
  static std::array<bool, kPictureCount> tried{};
  const auto index = static_cast<size_t>(picture);
  if (!tried[index]) {
    tried[index] = true;
    loaded[index] = static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), kResourceNames[index], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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

void PaintFrame(HDC dc, const RECT& client, const std::wstring& caption, const FrameLook& look) {
  FillSolid(dc, client, kFrameColor);
  const int width = client.right - client.left;
  if (look.titleBar) {
    const RECT bar{1, 1, width - 1, 1 + kTitleBarHeight};
    FillVertical(dc, bar, kTitleTop, kTitleBottom);
    RECT text = ToRect(app::look::CaptionRect(width, look.buttons));
    HGDIOBJ old = SelectObject(dc, SkinFont(app::look::kTitleFont));
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
  const COLORREF border = !look.enabled              ? ToColorRef(app::look::kDisabledBorder)
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
