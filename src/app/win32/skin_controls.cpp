#include "app/win32/skin_controls.h"

#include <commctrl.h>

#include <vector>

#include "app/win32/skin_palette.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

constexpr wchar_t kLookProperty[] = L"QuillrateLook";
constexpr wchar_t kHotProperty[] = L"QuillrateHot";
constexpr UINT_PTR kSubclassId = 1;

ControlLook* LookOf(HWND control) {
  return static_cast<ControlLook*>(GetPropW(control, kLookProperty));
}

bool IsHot(HWND control) {
  return GetPropW(control, kHotProperty) != nullptr;
}

HBRUSH BrushFor(COLORREF color) {
  static std::vector<std::pair<COLORREF, HBRUSH>> brushes;
  for (const auto& [c, brush] : brushes) {
    if (c == color) return brush;
  }
  HBRUSH brush = CreateSolidBrush(color);
  brushes.emplace_back(color, brush);
  return brush;
}

// Hover tracking for buttons and the link label; the look is freed with the control.
LRESULT CALLBACK Subclass(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!IsHot(control)) {
        SetPropW(control, kHotProperty, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control, 0};
        TrackMouseEvent(&track);
        InvalidateRect(control, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(control, kHotProperty);
      InvalidateRect(control, nullptr, FALSE);
      break;
    case WM_SETCURSOR:
      if (LookOf(control) != nullptr && LookOf(control)->hotText != LookOf(control)->text) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_NCDESTROY: {
      delete LookOf(control);
      RemovePropW(control, kLookProperty);
      RemovePropW(control, kHotProperty);
      if (auto atom = reinterpret_cast<UINT_PTR>(GetPropW(control, kNameProperty)); atom != 0) {
        GlobalDeleteAtom(static_cast<ATOM>(atom));
        RemovePropW(control, kNameProperty);
      }
      RemoveWindowSubclass(control, Subclass, kSubclassId);
      break;
    }
    default:
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

void Attach(HWND control, const ControlLook& look) {
  SetPropW(control, kLookProperty, new ControlLook(look));
  SetWindowSubclass(control, Subclass, kSubclassId, 0);
}

// The look of a control that shows text: `hot` while the mouse is over it.
ControlLook TextLook(HFONT font, COLORREF text, COLORREF hot, COLORREF background) {
  ControlLook look;
  look.font = font;
  look.text = text;
  look.hotText = hot;
  look.background = background;
  return look;
}

void PaintOwnerDrawn(const DRAWITEMSTRUCT& item) {
  const ControlLook* look = LookOf(item.hwndItem);
  if (look == nullptr) return;
  const bool enabled = (item.itemState & ODS_DISABLED) == 0;
  const bool down = (item.itemState & ODS_SELECTED) != 0;
  const bool focus = (item.itemState & ODS_FOCUS) != 0;
  const bool hover = IsHot(item.hwndItem) && enabled;
  // Painted off screen, then copied: no flicker while a caption changes.
  const RECT& r = item.rcItem;
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC dc = CreateCompatibleDC(item.hDC);
  HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT local{0, 0, width, height};
  if (look->picture) {
    FillSolid(dc, local, look->background);
    DrawPicture(dc,
                down    ? look->pressed
                : hover ? look->hover
                        : look->normal,
                0, 0, enabled ? 255 : 115);
    if (focus) {
      HPEN pen = CreatePen(PS_DOT, 1, kFocusColor);
      HGDIOBJ oldPen = SelectObject(dc, pen);
      HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
      Rectangle(dc, 1, 1, width - 1, height - 1);
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
  } else {
    wchar_t caption[256] = {};
    GetWindowTextW(item.hwndItem, caption, 256);
    ButtonLook button;
    button.enabled = enabled;
    button.down = down;
    button.hover = hover;
    button.focus = focus;
    button.textColor = look->text;
    button.font = look->font;
    PaintButton(dc, local, caption, button);
  }
  BitBlt(item.hDC, r.left, r.top, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

LRESULT CALLBACK ForwardingMenu(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  if (message == WM_CONTEXTMENU) {
    return SendMessageW(GetAncestor(control, GA_ROOT), message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, ForwardingMenu, kSubclassId + 1);
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void ForwardContextMenu(HWND control) {
  SetWindowSubclass(control, ForwardingMenu, kSubclassId + 1, 0);
}

void SetControlName(HWND control, const wchar_t* name) {
  const ATOM atom = GlobalAddAtomW(name);
  SetPropW(control, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

std::wstring ControlName(HWND control) {
  const auto atom = reinterpret_cast<UINT_PTR>(GetPropW(control, kNameProperty));
  if (atom == 0) return {};
  wchar_t name[256] = {};
  GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256);
  return name;
}

HWND MakeControl(HWND parent, const wchar_t* className, const wchar_t* name,
                 const std::wstring& text, DWORD style, RECT at, HFONT font, DWORD exStyle) {
  HWND control = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 at.left, at.top, at.right, at.bottom, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) return nullptr;
  if (font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (name != nullptr && *name != 0) SetControlName(control, name);
  return control;
}

HWND MakeLabel(HWND parent, const wchar_t* name, const std::wstring& text, RECT at, HFONT font,
               COLORREF color, COLORREF background, bool wrap) {
  HWND label = MakeControl(parent, L"STATIC", name, text,
                           SS_NOPREFIX | (wrap ? SS_LEFT : SS_LEFTNOWORDWRAP), at, font);
  Attach(label, TextLook(font, color, color, background));
  return label;
}

HWND MakeButton(HWND parent, const wchar_t* name, const std::wstring& caption, RECT at, HFONT font,
                COLORREF color, bool tabStop) {
  HWND button = MakeControl(parent, L"BUTTON", name, caption,
                            BS_OWNERDRAW | (tabStop ? WS_TABSTOP : 0), at, font);
  Attach(button, TextLook(font, color, color, kFrameColor));
  return button;
}

HWND MakeLabel(HWND parent, const app::model::ControlPlace& place, const std::wstring& text,
               HFONT font, COLORREF color, bool wrap) {
  return MakeLabel(parent, Wide(place.name).c_str(), text, At(place.at), font, color, kFrameColor,
                   wrap);
}

HWND MakeButton(HWND parent, const app::model::ControlPlace& place, HFONT font) {
  return MakeButton(parent, Wide(place.name).c_str(), Wide(place.text), At(place.at), font);
}

std::wstring Wide(const char* text) {
  return platform::Widen(text);
}

HWND MakePictureButton(HWND parent, const wchar_t* name, RECT at, Picture normal, Picture hover,
                       Picture pressed, COLORREF background, bool tabStop) {
  HWND button = MakeControl(parent, L"BUTTON", name, L"", BS_OWNERDRAW | (tabStop ? WS_TABSTOP : 0),
                            at, nullptr);
  ControlLook look;
  look.picture = true;
  look.normal = normal;
  look.hover = hover;
  look.pressed = pressed;
  look.background = background;
  Attach(button, look);
  return button;
}

HWND MakeLinkLabel(HWND parent, const wchar_t* name, const std::wstring& text, RECT at, HFONT font,
                   COLORREF background) {
  HWND label = MakeControl(parent, L"STATIC", name, text,
                           SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_NOTIFY, at, font);
  Attach(label, TextLook(font, kBlue, kRed, background));
  return label;
}

HWND MakeSeparator(HWND parent, int left, int top, int length, bool horizontal) {
  return MakeControl(parent, L"STATIC", nullptr, L"", horizontal ? SS_ETCHEDHORZ : SS_ETCHEDVERT,
                     horizontal ? At(left, top, length, 2) : At(left, top, 2, length), nullptr);
}

void PaintBevel(HDC dc, const RECT& r) {
  Line(dc, r.left, r.bottom - 1, r.left, r.top, kControlBorder);
  Line(dc, r.left, r.top, r.right - 1, r.top, kControlBorder);
  Line(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, kWhite);
  Line(dc, r.right - 1, r.bottom - 1, r.left, r.bottom - 1, kWhite);
  Line(dc, r.left + 1, r.bottom - 2, r.left + 1, r.top + 1, kWhite);
  Line(dc, r.left + 1, r.top + 1, r.right - 2, r.top + 1, kWhite);
}

bool HandleControlMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      HDC dc = reinterpret_cast<HDC>(wParam);
      const ControlLook* look = LookOf(control);
      if (look == nullptr) {
        // A read-only memo or an edit: white, as the skin's memo.
        SetBkColor(dc, kWhite);
        *result = reinterpret_cast<LRESULT>(BrushFor(kWhite));
        const auto className = [&] {
          wchar_t name[16] = {};
          GetClassNameW(control, name, 16);
          return std::wstring(name);
        }();
        if (_wcsicmp(className.c_str(), L"EDIT") != 0) {
          *result = reinterpret_cast<LRESULT>(BrushFor(kFrameColor));
          SetBkColor(dc, kFrameColor);
        }
        return true;
      }
      SetTextColor(dc, IsHot(control) ? look->hotText : look->text);
      SetBkColor(dc, look->background);
      *result = reinterpret_cast<LRESULT>(BrushFor(look->background));
      return true;
    }
    case WM_CTLCOLOREDIT:
      SetBkColor(reinterpret_cast<HDC>(wParam), kWhite);
      *result = reinterpret_cast<LRESULT>(BrushFor(kWhite));
      return true;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) return false;
      PaintOwnerDrawn(*item);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

std::string ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return platform::Narrow(text);
}

void SetControlText(HWND control, const std::string& utf8) {
  SetWindowTextW(control, platform::Widen(utf8).c_str());
}

}  // namespace win32ui
