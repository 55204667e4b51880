// The skinned page control: tabs on top drawn by the skin, one page shown at a time. Showing
// a page disables and hides the page that was shown, then shows and enables the new one.
// Pages hand their controls' commands to the top-level window.
#pragma once

#include <string>
#include <vector>

#include "platform/windows_api.h"

namespace win32ui {

class PageControl {
 public:
  PageControl(HWND parent, const wchar_t* name, RECT at, HFONT font, int tabMargin);
  PageControl(const PageControl&) = delete;
  PageControl& operator=(const PageControl&) = delete;

  HWND Handle() const { return hwnd_; }
  // A new page (hidden and disabled until it is selected), as a window for its controls.
  HWND AddPage(const wchar_t* name, const std::wstring& caption);
  void SetActivePageIndex(int index);
  int ActivePageIndex() const { return active_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }

 private:
  template <typename Object>
  friend Object* ObjectOfWindow(HWND hwnd, UINT message, LPARAM lParam);
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  RECT TabRect(int index) const;
  void Paint(HDC dc);

  struct Entry {
    HWND page;
    std::wstring caption;
  };
  HWND hwnd_ = nullptr;
  HFONT font_;
  int tabMargin_;
  std::vector<Entry> pages_;
  int active_ = -1;
  int hovered_ = -1;
};

}  // namespace win32ui
