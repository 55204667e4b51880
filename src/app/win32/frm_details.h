// The details window on Win32, as the Qt one: the disc's status and free space, the
// write-speed table, the verdict and the plot of the speeds, with Read Again and Close. Not
// modal: it stays beside the main window, which shows it each reading while it is open. The
// controls' window texts name them for screen readers.
#pragma once

#include <functional>

#include "app/model/details_model.h"
#include "app/win32/skin_window.h"

namespace win32ui {

class TfrmDetails : public SkinWindow {
 public:
  struct Events {
    std::function<void()> readAgain;
    std::function<void()> closed;
  };
  TfrmDetails(HWND owner, Events events);

  void ShowDetails(const app::model::DetailsDescription& details);
  // Its keys (Tab, Space, Esc) for a message to it or its controls: true when used.
  bool PreTranslate(MSG& msg);

  HWND lblStatus = nullptr;
  HWND lblSpeeds = nullptr;  // names the table for screen readers
  HWND memSpeeds = nullptr;
  HWND lblVerdict = nullptr;
  HWND pbSpeeds = nullptr;
  HWND cmdReadAgain = nullptr;
  HWND cmdClose = nullptr;

 private:
  bool OnCommand(HWND control, WORD code) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Closing hides the window; the main window shows it again when asked.
  bool OnClose() override;

  Events events_;
  app::model::SpeedPlot plot_;
  HFONT plotFont_ = nullptr;
};

}  // namespace win32ui
