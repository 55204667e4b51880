// The skinned controls on Win32: labels in their layout fonts and colours, owner-drawn
// buttons and picture buttons, the link label, separators and the bevel. Each control
// carries its layout name (a window property that other programs can read too, as tests do)
// and its look; the window that holds it paints it through HandleControlMessage.
#pragma once

#include <string>

#include "app/model/main_window_places.h"
#include "app/win32/skin_fonts.h"
#include "app/win32/skin_paint.h"
#include "app/win32/skin_palette.h"
#include "platform/windows_api.h"

namespace win32ui {

// The property that holds a control's name, as a global atom.
inline constexpr wchar_t kNameProperty[] = L"QuillrateName";

void SetControlName(HWND control, const wchar_t* name);
std::wstring ControlName(HWND control);

struct ControlLook {
  HFONT font = nullptr;
  COLORREF text = kBlack;
  COLORREF background = kFrameColor;
  COLORREF hotText = kBlack;  // a link label's colour while the mouse is over it
  bool picture = false;       // a picture button
  Picture normal = Picture::QueryNormal, hover = Picture::QueryNormal,
          pressed = Picture::QueryNormal;
};

HWND MakeLabel(HWND parent, const wchar_t* name, const std::wstring& text, RECT at, HFONT font,
               COLORREF color, COLORREF background, bool wrap = false);
HWND MakeButton(HWND parent, const wchar_t* name, const std::wstring& caption, RECT at, HFONT font,
                COLORREF color = kBlack, bool tabStop = true);
HWND MakePictureButton(HWND parent, const wchar_t* name, RECT at, Picture normal, Picture hover,
                       Picture pressed, COLORREF background, bool tabStop);
HWND MakeLinkLabel(HWND parent, const wchar_t* name, const std::wstring& text, RECT at, HFONT font,
                   COLORREF background);
// The same at the look's place, with its name and (for the button) its text.
HWND MakeLabel(HWND parent, const app::model::ControlPlace& place, const std::wstring& text,
               HFONT font, COLORREF color, bool wrap = false);
HWND MakeButton(HWND parent, const app::model::ControlPlace& place, HFONT font);
// A name or text of the look as the system's wide text.
std::wstring Wide(const char* text);
// A thin etched line: horizontal when `horizontal`, else vertical, `length` pixels long.
HWND MakeSeparator(HWND parent, int left, int top, int length, bool horizontal);
// A bevel: a sunken box of two lines, drawn on its window's frame.
void PaintBevel(HDC dc, const RECT& box);

// The control's right-click menu goes to its top-level window (as WM_CONTEXTMENU from it).
void ForwardContextMenu(HWND control);

// A page or a frame window's share of painting its controls: label colours, the button
// faces. True when the message was handled, with its result.
bool HandleControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Geometry as the layouts write it: left, top, width, height.
inline RECT At(int left, int top, int width, int height) {
  return {left, top, width, height};
}
inline RECT At(const app::look::LayoutRect& r) {
  return At(r.left, r.top, r.width, r.height);
}
HWND MakeControl(HWND parent, const wchar_t* className, const wchar_t* name,
                 const std::wstring& text, DWORD style, RECT at, HFONT font, DWORD exStyle = 0);

// Text of a control, and setting it, in UTF-8.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& utf8);

}  // namespace win32ui
