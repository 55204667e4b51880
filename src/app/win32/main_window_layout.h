// The main window's controls on Win32: their names, places, fonts, colours and first texts,
// and the rearrangement that the OEM branding makes of the top of the window.
#pragma once

#include <array>
#include <memory>

#include "app/win32/page_control.h"
#include "platform/windows_api.h"

namespace win32ui {

// One feature's value labels and button, in refresh order.
struct FeatureRowControls {
  HWND support;
  HWND state;
  HWND button;
};

struct MainWindowControls {
  HWND imgbtnOLV;
  HWND cmdShowQR;
  HWND Label1;
  HWND lblStep1;
  HWND cboDrives;
  HWND Label3;
  HWND lblStep2;
  HWND cmdRefresh;
  HWND Label5;
  HWND lblStep3;
  HWND busyIndicator;
  HWND cmdCancelQuery;  // shown while a query runs
  std::unique_ptr<PageControl> suiPageControl1;
  HWND memTranslator;
  std::array<FeatureRowControls, 3> features;
  HWND cmdAddUserFile;
  HWND lblCopyright;
  HWND imgbtnVEXO;
};

// Makes every control of the main window on `window` (client area 479 x 428).
void BuildMainWindowLayout(HWND window, MainWindowControls& controls);
void ApplyOemBrandingLayout(MainWindowControls& controls);

// A one-line label as wide as its text, up to `right` (in its parent's coordinates): a longer
// text is shown in narrower characters (down to three quarters), then cut with an ellipsis.
void SizeToText(HWND label, int right);
// Fits a word-wrapped label's text into its fixed box by narrowing its font; a text that still
// does not fit is cut with an ellipsis.
void FitWrapped(HWND label);

// The link target of the copyright line, as the branding left it.
const wchar_t* CopyrightLinkTarget();

}  // namespace win32ui
