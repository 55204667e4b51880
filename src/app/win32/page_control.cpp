#include "app/win32/page_control.h"

#include <windowsx.h>

#include "app/win32/skin_controls.h"
#include "app/win32/skin_paint.h"
#include "app/win32/skin_palette.h"
#include "app/win32/window_class.h"

namespace win32ui {
namespace {

constexpr wchar_t kControlClass[] = L"QuillratePageControl";
constexpr wchar_t kPageClass[] = L"QuillratePage";
using app::look::kPageTop;

LRESULT CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleControlMessage(page, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
      return SendMessageW(GetAncestor(page, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(page, &r);
      FillSolid(reinterpret_cast<HDC>(wParam), r, kPageColor);
      return 1;
    }
    default:
      return DefWindowProcW(page, message, wParam, lParam);
  }
}

void RegisterOnce(WNDPROC control) {
  static bool registered = false;
  if (registered) return;
  RegisterWindowClass(kControlClass, control, 0, true);
  RegisterWindowClass(kPageClass, PageProcedure, 0, true);
  registered = true;
}

}  // namespace

PageControl::PageControl(HWND parent, const wchar_t* name, RECT at, HFONT font, int tabMargin)
    : font_(font), tabMargin_(tabMargin) {
  RegisterOnce(Procedure);
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kControlClass, L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, at.left, at.top,
                          at.right, at.bottom, parent, nullptr, GetModuleHandleW(nullptr), this);
  SetControlName(hwnd_, name);
}

HWND PageControl::AddPage(const wchar_t* name, const std::wstring& caption) {
  RECT client;
  GetClientRect(hwnd_, &client);
  const app::look::LayoutRect at = app::look::PageRect(client.right, client.bottom);
  HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, caption.c_str(),
                              WS_CHILD | WS_DISABLED | WS_CLIPSIBLINGS, at.left, at.top, at.width,
                              at.height, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetControlName(page, name);
  pages_.push_back({page, caption});
  InvalidateRect(hwnd_, nullptr, FALSE);
  return page;
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  if (active_ >= 0 && active_ != index) {
    HWND old = pages_[static_cast<size_t>(active_)].page;
    // Focus must not stay on a control that is going away.
    if (IsChild(old, GetFocus())) SetFocus(hwnd_);
    EnableWindow(old, FALSE);
    ShowWindow(old, SW_HIDE);
  }
  active_ = index;
  HWND page = pages_[static_cast<size_t>(index)].page;
  ShowWindow(page, SW_SHOW);
  EnableWindow(page, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

RECT PageControl::TabRect(int index) const {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_);
  int left = tabMargin_;
  RECT found{};
  for (int i = 0; i < PageCount(); ++i) {
    const std::wstring& caption = pages_[static_cast<size_t>(i)].caption;
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const int width = size.cx + app::look::kTabPadding;
    if (i == index) {
      found = ToRect({left, app::look::kTabTop, width, app::look::kTabHeight});
      break;
    }
    left += width;
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  return found;
}

void PageControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillSolid(dc, client, kFrameColor);
  const RECT body{0, kPageTop - 2, client.right, client.bottom};
  FillSolid(dc, body, kPageColor);
  FrameRect(dc, body, kControlBorder);
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  const bool focused = GetFocus() == hwnd_;
  for (int i = 0; i < PageCount(); ++i) {
    RECT tab = TabRect(i);
    const bool active = i == active_;
    if (!active) tab.top += 2;
    const RECT face{tab.left + 1, tab.top + 1, tab.right - 1,
                    active ? tab.bottom + 1 : tab.bottom - 1};
    FillVertical(dc, face,
                 active          ? ToColorRef(app::look::kActiveTabTop)
                 : i == hovered_ ? kControlTop
                                 : kControlBottom,
                 active ? kPageColor : ToColorRef(app::look::kTabBottom));
    FrameRect(dc, {tab.left, tab.top, tab.right, active ? tab.bottom + 1 : tab.bottom},
              kControlBorder);
    if (active) {
      Line(dc, tab.left + 1, tab.top + 1, tab.right - 1, tab.top + 1, kHoverBorder);
      Line(dc, tab.left + 1, tab.bottom, tab.right - 1, tab.bottom, kPageColor);
    }
    SetTextColor(dc, IsWindowEnabled(hwnd_) ? kBlack : kDisabledText);
    const std::wstring& caption = pages_[static_cast<size_t>(i)].caption;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &tab,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (active && focused) {
      RECT dots{tab.left + 3, tab.top + 3, tab.right - 4, tab.bottom - 3};
      DrawFocusRect(dc, &dots);
    }
  }
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK PageControl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = ObjectOfWindow<PageControl>(hwnd, message, lParam);
  if (control == nullptr || message == WM_NCDESTROY) {
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return control->HandleMessage(message, wParam, lParam);
}

LRESULT PageControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT && active_ > 0) SetActivePageIndex(active_ - 1);
      if (wParam == VK_RIGHT && active_ + 1 < PageCount()) SetActivePageIndex(active_ + 1);
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      for (int i = 0; i < PageCount(); ++i) {
        const RECT tab = TabRect(i);
        if (PtInRect(&tab, point)) {
          SetActivePageIndex(i);
          SetFocus(hwnd_);
          return 0;
        }
      }
      break;
    }
    case WM_MOUSEMOVE: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int hovered = -1;
      for (int i = 0; i < PageCount(); ++i) {
        const RECT tab = TabRect(i);
        if (PtInRect(&tab, point)) hovered = i;
      }
      if (hovered != hovered_) {
        hovered_ = hovered;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      break;
    }
    case WM_MOUSELEAVE:
      hovered_ = -1;
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace win32ui
