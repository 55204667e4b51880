#include "app/look/frame.h"

#include <algorithm>

namespace app::look {
namespace {

constexpr int kButtonWidth = 17;
constexpr int kButtonHeight = 15;
constexpr int kButtonTop = 1 + (kTitleBarHeight - kButtonHeight) / 2;

bool Contains(const LayoutRect& r, int x, int y) {
  return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height;
}

}  // namespace

LayoutRect TitleButtonRect(int frameWidth, int buttons, TitleButton button) {
  if (button == kNoButton || (buttons & button) == 0) return {};
  if (button == kSystemMenu) return {4, kButtonTop, kButtonHeight, kButtonHeight};
  int right = frameWidth - 4;
  for (TitleButton b : {kClose, kMaximize, kMinimize}) {
    if ((buttons & b) == 0) continue;
    if (b == button) return {right - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight};
    right -= kButtonWidth + 2;
  }
  return {};
}

TitleButton TitleButtonAt(int frameWidth, int buttons, int x, int y) {
  for (TitleButton b : kTitleButtons) {
    if (Contains(TitleButtonRect(frameWidth, buttons, b), x, y)) return b;
  }
  return kNoButton;
}

LayoutRect CaptionRect(int frameWidth, int buttons) {
  int left = 8;
  if (buttons & kSystemMenu) {
    const LayoutRect menu = TitleButtonRect(frameWidth, buttons, kSystemMenu);
    left = menu.left + menu.width + 5;
  }
  int right = frameWidth - 6;
  for (TitleButton b : {kMinimize, kMaximize, kClose}) {
    const LayoutRect r = TitleButtonRect(frameWidth, buttons, b);
    if (r.width > 0) right = std::min(right, r.left - 4);
  }
  return {left, 1, right - left, kTitleBarHeight};
}

}  // namespace app::look
