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

namespace look = app::look;

}  // namespace

TfrmSplash::TfrmSplash(HWND owner) {
  FrameLook frame;
  frame.titleBar = false;
  // The skinned frame lies one pixel inside the window.
  frame.inset = look::kSplashFrame.left;
  const look::WindowSize size = look::kSplashSize;
  const POINT at = CentredOnScreen(size.width, size.height);
  Create(Wide(look::kSplashName), at.x, at.y, size.width, size.height, owner, 0,
         WS_EX_TOPMOST | WS_EX_TOOLWINDOW, frame);
  MakeLabel(Handle(), look::kSplashLabel, Wide(look::kSplashLabel.text),
            SkinFont(look::kSplashFont), kBlack);
}

TfrmWarning::TfrmWarning(HWND owner, const std::string& text, const std::string& caption) {
  FrameLook frame;
  frame.buttons = look::kAllTitleButtons;
  // Always the same place on the screen, wherever the main window is.
  Create(platform::Widen(caption), look::kWarningLeft, look::kWarningTop, look::kWarningSize.width,
         look::kWarningSize.height, owner, 0, 0, frame);
  MakeLabel(Handle(), look::kWarningLabel, WindowsLines(text), SkinFont(look::kWarningFont), kNavy,
            true);
  suiButton1_ = MakeButton(Handle(), look::kWarningClose, SkinFont(look::kWarningCloseFont));
  SetFocus(suiButton1_);
}

bool TfrmWarning::OnCommand(HWND control, WORD code) {
  if (control != suiButton1_ || code != BN_CLICKED) return false;
  Close();  // suiButton1Click
  return true;
}

TfrmQuillrateMsgBox::TfrmQuillrateMsgBox(HWND owner, const std::string& aboutText,
                                         const char* caption, const char* name) {
  FrameLook frame;
  frame.buttons = kClose;
  const look::WindowSize size = look::kAboutSize;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  RECT area;
  if (owner != nullptr && GetWindowRect(owner, &area)) {
    x = (area.left + area.right - size.width) / 2;
    y = (area.top + area.bottom - size.height) / 2;
  }
  Create(platform::Widen(caption).c_str(), x, y, size.width, size.height, owner, 0, 0, frame);
  SetControlName(Handle(), Wide(name).c_str());
  MakeLabel(Handle(), look::kAboutText, WindowsLines(aboutText), SkinFont(look::kAboutTextFont),
            kBlack, true);
  cmdClose_ = MakeButton(Handle(), look::kAboutClose, SkinFont(look::kAboutCloseFont));
  SetFocus(cmdClose_);
}

void TfrmQuillrateMsgBox::PaintExtras(HDC dc) {
  PaintBevel(dc, ToRect(look::kAboutBevel.at));
}

bool TfrmQuillrateMsgBox::OnCommand(HWND control, WORD code) {
  if (control != cmdClose_ || code != BN_CLICKED) return false;
  Close();  // cmdCloseClick
  return true;
}

SkinMessageBox::SkinMessageBox(HWND owner, const app::model::WindowMessage& message)
    : icon_(message.icon) {
  const std::wstring text = WindowsLines(message.text);
  HFONT font = SkinFont(look::kMessageFont);
  // The box fits its text: a long message wraps at word boundaries.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  const int widest =
      std::max(100, std::min(look::kMessageWidestText, GetSystemMetrics(SM_CXSCREEN) - 160));
  RECT needed{0, 0, widest, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const look::MessageLayout layout = look::LayOutMessage(needed.right, needed.bottom);
  FrameLook frame;
  frame.buttons = kClose;
  Create(platform::Widen(message.caption), CW_USEDEFAULT, CW_USEDEFAULT, layout.size.width,
         layout.size.height, owner, 0, WS_EX_TOPMOST, frame);
  SetControlName(Handle(), Wide(look::kMessageBox.window).c_str());
  MakeLabel(Handle(), Wide(look::kMessageBox.text).c_str(), text, At(layout.text), font, kBlack,
            kFrameColor, true);
  okButton_ = MakeButton(Handle(), Wide(look::kMessageOk.name).c_str(), Wide(look::kMessageOk.text),
                         At(layout.ok), SkinFont(look::kMessageOkFont));
  iconAt_ = {layout.icon.left, layout.icon.top};
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
  DrawPicture(dc, picture, iconAt_.x, iconAt_.y);
}

void ShowSkinMessage(HWND owner, const app::model::WindowMessage& message) {
  SkinMessageBox box(owner, message);
  box.RunModal(owner);
}

}  // namespace win32ui
