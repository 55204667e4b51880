// The small windows' layouts, for every view: the splash window, the Pacelift warning, the
// about box (and the help window in its frame) and the skinned message box. Places are left,
// top, width and height in pixels of the window's client area, as in the main window's table.
#pragma once

#include "app/look/fonts.h"
#include "app/model/main_window_places.h"

namespace app::look {

using model::ControlPlace;
using model::LayoutRect;

struct WindowSize {
  int width, height;
};

// The splash window: no title bar; its frame lies one pixel inside the window.
inline constexpr const char* kSplashName = "frmSplash";
inline constexpr WindowSize kSplashSize{248, 87};
inline constexpr LayoutRect kSplashFrame{1, 1, 246, 85};
inline constexpr int kSplashMinimumWidth = 130;
inline constexpr ControlPlace kSplashLabel{"Label1", {64, 36, 123, 13}, "Querying Device ..."};
inline constexpr FontChoice kSplashFont = kBoldText;

// The Pacelift warning: always at the same place on the screen, wherever the main window is.
inline constexpr const char* kWarningName = "frmWarning";
inline constexpr WindowSize kWarningSize{341, 122};
inline constexpr int kWarningLeft = 318, kWarningTop = 265;
inline constexpr ControlPlace kWarningLabel{"Label1", {24, 36, 289, 53}};
inline constexpr FontChoice kWarningFont = kBoldText;
inline constexpr ControlPlace kWarningClose{"suiButton1", {248, 88, 80, 25}, "Close"};
inline constexpr FontChoice kWarningCloseFont = kBoldButton;

// The about box, centred over its owner; the help window is the same box.
inline constexpr const char* kAboutName = "frmQuillrateMsgBox";
inline constexpr const char* kAboutCaption = "Quill-Rate";
inline constexpr const char* kHelpName = "frmHelp";
inline constexpr WindowSize kAboutSize{486, 420};
inline constexpr ControlPlace kAboutBevel{"Bevel1", {12, 36, 461, 349}};
inline constexpr ControlPlace kAboutText{"lblQuillrate", {20, 40, 445, 341}};
inline constexpr ControlPlace kAboutClose{"cmdClose", {208, 392, 81, 21}, "Close"};
inline constexpr FontChoice kAboutCloseFont = kBoldText;

// The skinned message box: an icon and the text beside it, "OK" centred below; the box fits
// its text, which wraps beyond kMessageWidestText (and the screen's width).
struct MessageBoxNames {
  const char* window;
  const char* caption;  // until a message sets its own
  const char* text;
  const char* icon;
};
inline constexpr MessageBoxNames kMessageBox{"suiMsgBox", "Information", "text", "icon"};
inline constexpr ControlPlace kMessageOk{"btnOK", {0, 0, 75, 25}, "OK"};
inline constexpr FontChoice kMessageFont = kText;
inline constexpr FontChoice kMessageOkFont = kPageText;
inline constexpr int kMessageIconSize = 32;
inline constexpr int kMessageWidestText = 520;
inline constexpr int kMessageIconGap = 14;  // between the icon and the text

// Where the message box's parts go for a text of that size (in pixels, as the font draws it).
struct MessageLayout {
  WindowSize size;
  LayoutRect icon, text, ok;
};
int MessageTextLeft();
MessageLayout LayOutMessage(int textWidth, int textHeight);

}  // namespace app::look
