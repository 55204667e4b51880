// The small windows: the splash window, the Pacelift warning, the about box and the skinned
// message box. Each lays out its controls and closes; none decides anything.
#pragma once

#include <string>

#include "app/look/small_windows.h"
#include "app/model/main_window_view.h"
#include "app/win32/skin_window.h"

namespace win32ui {

class TfrmSplash : public SkinWindow {
 public:
  explicit TfrmSplash(HWND owner);
};

class TfrmWarning : public SkinWindow {
 public:
  TfrmWarning(HWND owner, const std::string& text, const std::string& caption);

 private:
  bool OnCommand(HWND control, WORD code) override;
  HWND suiButton1_ = nullptr;
};

class TfrmQuillrateMsgBox : public SkinWindow {
 public:
  // The help window is the same box with its own caption and name.
  TfrmQuillrateMsgBox(HWND owner, const std::string& aboutText,
                      const char* caption = app::look::kAboutCaption,
                      const char* name = app::look::kAboutName);

 private:
  bool OnCommand(HWND control, WORD code) override;
  void PaintExtras(HDC dc) override;  // Bevel1, the sunken box around the text
  HWND cmdClose_ = nullptr;
};

// The skinned message box (suiMsgBox): caption, icon, text and "OK", centred on the screen.
class SkinMessageBox : public SkinWindow {
 public:
  SkinMessageBox(HWND owner, const app::model::WindowMessage& message);

 private:
  bool OnCommand(HWND control, WORD code) override;
  void PaintExtras(HDC dc) override;
  HWND okButton_ = nullptr;
  app::model::MessageIcon icon_;
  POINT iconAt_{};
};

// Shows a message box modally over `owner` (or over nothing).
void ShowSkinMessage(HWND owner, const app::model::WindowMessage& message);

}  // namespace win32ui
