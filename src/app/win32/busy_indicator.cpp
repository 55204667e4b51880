#include "app/win32/busy_indicator.h"

#include <cmath>

#include "app/win32/skin_controls.h"
#include "app/win32/skin_paint.h"
#include "app/win32/skin_palette.h"
#include "app/win32/window_class.h"

namespace win32ui {
namespace {

constexpr wchar_t kClassName[] = L"QuillrateBusyIndicator";
constexpr int kSpokes = 12;
constexpr UINT_PTR kTimer = 1;

COLORREF Faded(double strength) {
  auto channel = [&](int spoke, int back) {
    return static_cast<int>(back + (spoke - back) * strength);
  };
  return RGB(channel(GetRValue(kTitleBottom), GetRValue(kFrameColor)),
             channel(GetGValue(kTitleBottom), GetGValue(kFrameColor)),
             channel(GetBValue(kTitleBottom), GetBValue(kFrameColor)));
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: {
      const auto step = static_cast<LONG_PTR>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, (step + 1) % kSpokes);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      FillSolid(dc, r, kFrameColor);
      const auto step = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      const double cx = r.right / 2.0, cy = r.bottom / 2.0, outer = r.right / 2.0 - 1;
      for (int i = 0; i < kSpokes; ++i) {
        const double angle = 2 * 3.14159265358979 * i / kSpokes;
        const double strength = 0.15 + 0.85 * ((i + kSpokes - step) % kSpokes) / (kSpokes - 1.0);
        Line(dc, static_cast<int>(cx + std::cos(angle) * outer * 0.45),
             static_cast<int>(cy + std::sin(angle) * outer * 0.45),
             static_cast<int>(cx + std::cos(angle) * outer),
             static_cast<int>(cy + std::sin(angle) * outer), Faded(strength));
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

HWND MakeBusyIndicator(HWND parent, RECT at) {
  static const bool registered = RegisterWindowClass(kClassName, Procedure);
  (void)registered;
  HWND indicator = MakeControl(parent, kClassName, L"busyIndicator", L"", 0, at, nullptr);
  ShowWindow(indicator, SW_HIDE);
  return indicator;
}

void StartBusyIndicator(HWND indicator) {
  ShowWindow(indicator, SW_SHOW);
  SetTimer(indicator, kTimer, 80, nullptr);
}

void StopBusyIndicator(HWND indicator) {
  KillTimer(indicator, kTimer);
  ShowWindow(indicator, SW_HIDE);
}

}  // namespace win32ui
