#include "app/win32/frm_small_windows.h"

#include <algorithm>

#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

// Line feeds as the system's controls break lines.
std::wstring WindowsLines(const std::string& utf8) {
  std::wstring text;
  for (wchar_t c : platform::Widen(utf8)) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  return text;
}

constexpr int kIconSize = 32;
constexpr int kWidestText = 520;

}  // namespace

TfrmSplash::TfrmSplash(HWND owner) {
  FrameLook look;
  look.titleBar = false;
  // The skinned frame lies one pixel inside the window.
  look.inset = 1;
  const POINT at = CentredOnScreen(248, 87);
  Create(L"frmSplash", at.x, at.y, 248, 87, owner, 0, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, look);
  MakeLabel(Handle(), L"Label1", L"Querying Device ...", At(64, 36, 123, 13),
            SkinFont({L"Verdana", 11, true}), kBlack, kFrameColor);
}

TfrmWarning::TfrmWarning(HWND owner, const std::string& text, const std::string& caption) {
  FrameLook look;
  look.buttons = kSystemMenu | kClose | kMaximize | kMinimize;
  // Always the same place on the screen, wherever the main window is.
  Create(platform::Widen(caption), 318, 265, 341, 122, owner, 0, 0, look);
  MakeLabel(Handle(), L"Label1", WindowsLines(text), At(24, 36, 289, 53),
            SkinFont({L"Verdana", 11, true}), kNavy, kFrameColor, true);
  suiButton1_ = MakeButton(Handle(), L"suiButton1", L"Close", At(248, 88, 80, 25),
                           SkinFont({L"Tahoma", 11, true}));
  SetFocus(suiButton1_);
}

bool TfrmWarning::OnCommand(HWND control, WORD code) {
  if (control != suiButton1_ || code != BN_CLICKED) return false;
  Close();  // suiButton1Click
  return true;
}

TfrmQuillrateMsgBox::TfrmQuillrateMsgBox(HWND owner, const std::string& aboutText,
                                         const char* caption, const wchar_t* name) {
  FrameLook look;
  look.buttons = kClose;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  RECT area;
  if (owner != nullptr && GetWindowRect(owner, &area)) {
    x = (area.left + area.right - 486) / 2;
    y = (area.top + area.bottom - 420) / 2;
  }
  Create(platform::Widen(caption).c_str(), x, y, 486, 420, owner, 0, 0, look);
  SetControlName(Handle(), name);
  MakeLabel(Handle(), L"lblQuillrate", WindowsLines(aboutText), At(20, 40, 445, 341),
            SkinFont({L"Courier New", 12}), kBlack, kFrameColor, true);
  cmdClose_ = MakeButton(Handle(), L"cmdClose", L"Close", At(208, 392, 81, 21),
                         SkinFont({L"Verdana", 11, true}));
  SetFocus(cmdClose_);
}

void TfrmQuillrateMsgBox::PaintExtras(HDC dc) {
  PaintBevel(dc, {12, 36, 12 + 461, 36 + 349});
}

bool TfrmQuillrateMsgBox::OnCommand(HWND control, WORD code) {
  if (control != cmdClose_ || code != BN_CLICKED) return false;
  Close();  // cmdCloseClick
  return true;
}

SkinMessageBox::SkinMessageBox(HWND owner, const app::model::WindowMessage& message)
    : icon_(message.icon) {
  const std::wstring text = WindowsLines(message.text);
  HFONT font = SkinFont({L"Verdana", 11});
  // The box fits its text: a long message wraps at word boundaries.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const int widest = std::max(100, std::min(kWidestText, GetSystemMetrics(SM_CXSCREEN) - 160));
  RECT needed{0, 0, widest, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int top = kTitleBarHeight + 16;
  const int textLeft = 16 + kIconSize + 14;
  const int textWidth = needed.right + 4, textHeight = needed.bottom;
  const int contentHeight = std::max(kIconSize, textHeight);
  const int width = std::max(textLeft + textWidth + 20, 200);
  const int buttonTop = top + contentHeight + 16;
  const int height = buttonTop + 25 + 12;
  FrameLook look;
  look.buttons = kClose;
  Create(platform::Widen(message.caption), CW_USEDEFAULT, CW_USEDEFAULT, width, height, owner, 0,
         WS_EX_TOPMOST, look);
  SetControlName(Handle(), L"suiMsgBox");
  MakeLabel(Handle(), L"text", text,
            At(textLeft, top + std::max(0, (kIconSize - textHeight) / 2), textWidth, textHeight),
            font, kBlack, kFrameColor, true);
  okButton_ = MakeButton(Handle(), L"btnOK", L"OK", At((width - 75) / 2, buttonTop, 75, 25),
                         SkinFont({L"Tahoma", 11}));
  SetFocus(okButton_);
}

bool SkinMessageBox::OnCommand(HWND control, WORD code) {
  if (control != okButton_ || code != BN_CLICKED) return false;
  Close();
  return true;
}

void SkinMessageBox::PaintExtras(HDC dc) {
  const Picture picture = icon_ == app::model::MessageIcon::Error     ? Picture::IconError
                          : icon_ == app::model::MessageIcon::Warning ? Picture::IconWarning
                                                                      : Picture::IconInformation;
  DrawPicture(dc, picture, 16, kTitleBarHeight + 16);
}

void ShowSkinMessage(HWND owner, const app::model::WindowMessage& message) {
  SkinMessageBox box(owner, message);
  box.RunModal(owner);
}

}  // namespace win32ui
