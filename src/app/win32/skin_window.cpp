#include "app/win32/skin_window.h"

#include <windowsx.h>

#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "app/win32/window_class.h"

namespace win32ui {
namespace {

constexpr wchar_t kClassName[] = L"QuillrateSkinWindow";

void RegisterOnce(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  RegisterWindowClass(kClassName, procedure, CS_DBLCLKS, true);
  registered = true;
}

}  // namespace

POINT CentredOnScreen(int width, int height) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left + (area.right - area.left - width) / 2,
          area.top + (area.bottom - area.top - height) / 2};
}

SkinWindow::~SkinWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void SkinWindow::Create(const std::wstring& caption, int x, int y, int width, int height,
                        HWND owner, DWORD extraStyle, DWORD extraExStyle, const FrameLook& look) {
  RegisterOnce(Procedure);
  look_ = look;
  if (x == CW_USEDEFAULT) {
    const POINT at = CentredOnScreen(width, height);
    x = at.x;
    y = at.y;
  }
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | extraStyle;
  if (look.buttons & kSystemMenu || look.buttons & kClose) style |= WS_SYSMENU;
  if (look.buttons & kMinimize) style |= WS_MINIMIZEBOX;
  // The skin lays its controls at fixed places: no window is maximised (the title bar's
  // button stays drawn, as the layouts give it, and does nothing; the window menu greys it).
  CreateWindowExW(WS_EX_CONTROLPARENT | extraExStyle, kClassName, caption.c_str(), style, x, y,
                  width, height, owner, nullptr, GetModuleHandleW(nullptr), this);
}

void SkinWindow::RunModal(HWND owner) {
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (!IsChild(hwnd_, GetFocus())) {
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE); first != nullptr) SetFocus(first);
  }
  modalDone_ = false;
  MSG msg;
  while (!modalDone_ && hwnd_ != nullptr) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
}

void SkinWindow::Close() {
  if (hwnd_ != nullptr) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK SkinWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = ObjectOfWindow<SkinWindow>(hwnd, message, lParam);
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    window->hwnd_ = nullptr;
    window->modalDone_ = true;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return window->HandleMessage(message, wParam, lParam);
}

int SkinWindow::ButtonAt(int x, int y) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  return app::look::TitleButtonAt(client.right, look_.buttons, x, y);
}

void SkinWindow::TriggerTitleButton(int button) {
  switch (button) {
    case kClose:
      PostMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case kMinimize:
      ShowWindow(hwnd_, SW_MINIMIZE);
      break;
    case kMaximize:
      if (IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
      break;
    case kSystemMenu: {
      const RECT r = ToRect(app::look::TitleButtonRect(0, look_.buttons, kSystemMenu));
      POINT at{r.left, r.bottom};
      ClientToScreen(hwnd_, &at);
      HMENU menu = GetSystemMenu(hwnd_, FALSE);
      const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                                        at.y, 0, hwnd_, nullptr);
      if (chosen != 0) PostMessageW(hwnd_, WM_SYSCOMMAND, static_cast<WPARAM>(chosen), 0);
      break;
    }
    default:
      break;
  }
}

void SkinWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  wchar_t caption[512] = {};
  GetWindowTextW(hwnd_, caption, 512);
  look_.maximized = IsZoomed(hwnd_) != FALSE;
  PaintFrame(dc, client, caption, look_);
  PaintExtras(dc);
  EndPaint(hwnd_, &ps);
}

LRESULT SkinWindow::HitTest(LPARAM lParam) const {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd_, &point);
  if (look_.titleBar && point.y >= 1 && point.y <= kTitleBarHeight &&
      ButtonAt(point.x, point.y) == kNoButton && !IsZoomed(hwnd_)) {
    return HTCAPTION;
  }
  return HTCLIENT;
}

void SkinWindow::ShowHovered(int button) {
  if (button != look_.hovered) {
    look_.hovered = button;
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
}

void SkinWindow::MouseMoved(LPARAM lParam) {
  if (!tracking_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    tracking_ = TrackMouseEvent(&track) != FALSE;
  }
  ShowHovered(ButtonAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
}

void SkinWindow::ButtonDown(LPARAM lParam) {
  const int button = ButtonAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (button == kSystemMenu) {
    TriggerTitleButton(button);
  } else if (button != kNoButton) {
    look_.pressed = button;
    SetCapture(hwnd_);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
}

void SkinWindow::ButtonUp(LPARAM lParam) {
  const int pressed = look_.pressed;
  look_.pressed = kNoButton;
  if (pressed == kNoButton) return;
  ReleaseCapture();
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (ButtonAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) == pressed) {
    TriggerTitleButton(pressed);
  }
}

bool SkinWindow::Command(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0) return OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
  if (LOWORD(wParam) != IDCANCEL) return false;
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  return true;
}

LRESULT SkinWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleControlMessage(hwnd_, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (Command(wParam, lParam)) return 0;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETTEXT: {
      const LRESULT done = DefWindowProcW(hwnd_, message, wParam, lParam);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return done;
    }
    case WM_SIZE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_NCHITTEST:
      return HitTest(lParam);
    case WM_MOUSEMOVE:
      MouseMoved(lParam);
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      ShowHovered(kNoButton);
      break;
    case WM_LBUTTONDOWN:
      ButtonDown(lParam);
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(lParam);
      return 0;
    case WM_CLOSE:
      if (OnClose()) DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      modalDone_ = true;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace win32ui
