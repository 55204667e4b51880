// The skinned frame's geometry for every view: the title bar, where its buttons sit, and the
// page control's tabs and pages.
#pragma once

#include "app/model/main_window_places.h"

namespace app::look {

using model::LayoutRect;

inline constexpr int kTitleBarHeight = 21;

// The title bar's buttons, as flags of a frame's set of buttons.
enum TitleButton { kNoButton = 0, kSystemMenu = 1, kMinimize = 2, kMaximize = 4, kClose = 8 };
inline constexpr int kAllTitleButtons = kSystemMenu | kMinimize | kMaximize | kClose;
// The order in which they are found under the mouse and painted.
inline constexpr TitleButton kTitleButtons[] = {kSystemMenu, kMinimize, kMaximize, kClose};

// Where `button` lies in the title bar of a frame `frameWidth` pixels wide that shows
// `buttons`: the system menu at the left, close, maximise and minimise from the right. Empty
// (0 x 0) when the frame does not show it.
LayoutRect TitleButtonRect(int frameWidth, int buttons, TitleButton button);
// The button under the point, kNoButton when none.
TitleButton TitleButtonAt(int frameWidth, int buttons, int x, int y);
// The room between the system menu and the right-hand buttons that the caption takes.
LayoutRect CaptionRect(int frameWidth, int buttons);

// The page control: tabs along its top, each page below them.
inline constexpr int kTabTop = 3;
inline constexpr int kTabHeight = 22;
inline constexpr int kTabPadding = 20;  // a tab is its caption's width and this
inline constexpr int kPageLeft = 3;
inline constexpr int kPageTop = 25;
// A page inside a page control of that size.
constexpr LayoutRect PageRect(int controlWidth, int controlHeight) {
  return {kPageLeft, kPageTop, controlWidth - 2 * kPageLeft, controlHeight - kPageTop - 3};
}

}  // namespace app::look
