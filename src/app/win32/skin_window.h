// A top-level window drawn by the skin: no system frame; the client area paints the frame
// colour, the title bar with its caption and buttons, and the black border, as the Qt skin's
// frame does. The caption is the window's text. Subclasses add their controls.
#pragma once

#include <string>

#include "app/win32/skin_paint.h"
#include "platform/windows_api.h"

namespace win32ui {

class SkinWindow {
 public:
  SkinWindow() = default;
  virtual ~SkinWindow();
  SkinWindow(const SkinWindow&) = delete;
  SkinWindow& operator=(const SkinWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // Shows the window and runs its own message loop until it closes; `owner` takes no input
  // meanwhile.
  void RunModal(HWND owner);
  void Close();

 protected:
  // Creates the window with a client area of width x height at x, y (CW_USEDEFAULT: centred
  // on the screen), `caption` as its text.
  void Create(const std::wstring& caption, int x, int y, int width, int height, HWND owner,
              DWORD extraStyle, DWORD extraExStyle, const FrameLook& look);
  // A control's WM_COMMAND notification; return true when handled.
  virtual bool OnCommand(HWND, WORD) { return false; }
  // Every other message; the default handles the frame.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What the window draws on its frame besides the controls (an icon, a bevel).
  virtual void PaintExtras(HDC) {}
  // The window is asked to close: true when it may (it is then destroyed).
  virtual bool OnClose() { return true; }
  virtual void OnDestroy() {}

  FrameLook look_;

 private:
  template <typename Object>
  friend Object* ObjectOfWindow(HWND hwnd, UINT message, LPARAM lParam);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  int ButtonAt(int x, int y) const;
  void TriggerTitleButton(int button);
  // The frame's share of the messages.
  void Paint();
  LRESULT HitTest(LPARAM lParam) const;
  void ShowHovered(int button);
  void MouseMoved(LPARAM lParam);
  void ButtonDown(LPARAM lParam);
  void ButtonUp(LPARAM lParam);
  bool Command(WPARAM wParam, LPARAM lParam);  // true when handled

  HWND hwnd_ = nullptr;
  bool modalDone_ = false;
  bool tracking_ = false;
};

// Centre of the screen's work area for a window of that size.
POINT CentredOnScreen(int width, int height);

}  // namespace win32ui
