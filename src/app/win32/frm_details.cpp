#include "app/win32/frm_details.h"

#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "app/win32/speed_plot_paint.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;

// Lines as the system's controls break them.
std::wstring WindowsLines(const std::vector<std::string>& lines) {
  std::wstring text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += L"\r\n";
    text += platform::Widen(line);
  }
  return text;
}

}  // namespace

TfrmDetails::TfrmDetails(HWND owner, Events events) : events_(std::move(events)) {
  FrameLook look;
  look.buttons = kClose;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  RECT area;
  if (owner != nullptr && GetWindowRect(owner, &area)) {
    x = (area.left + area.right - kWidth) / 2;
    y = (area.top + area.bottom - kHeight) / 2;
  }
  Create(platform::Widen(app::model::kDetailsCaption), x, y, kWidth, kHeight, owner, 0, 0, look);
  SetControlName(Handle(), L"frmDetails");
  const HFONT font = SkinFont(app::look::kDetailsText);
  plotFont_ = SkinFont(app::look::kPlotFont);
  lblStatus =
      MakeLabel(Handle(), L"lblStatus", L"", At(16, 32, 608, 40), font, kBlack, kFrameColor, true);
  lblSpeeds =
      MakeLabel(Handle(), L"lblSpeeds", platform::Widen(app::model::kDetailsSpeedsName) + L":",
                At(16, 72, 200, 14), font, kBlack, kFrameColor);
  memSpeeds =
      MakeControl(Handle(), L"EDIT", L"memSpeeds", L"",
                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL |
                      WS_HSCROLL | WS_TABSTOP,
                  At(16, 88, 608, 138), SkinFont(app::look::kDetailsTable), WS_EX_CLIENTEDGE);
  lblVerdict =
      MakeLabel(Handle(), L"lblVerdict", L"", At(16, 230, 608, 36), font, kRed, kFrameColor, true);
  pbSpeeds =
      MakeControl(Handle(), L"STATIC", L"pbSpeeds", platform::Widen(app::model::kDetailsPlotName),
                  SS_OWNERDRAW, At(16, 270, 608, 246), plotFont_);
  cmdReadAgain =
      MakeButton(Handle(), L"cmdReadAgain", platform::Widen(app::model::kDetailsReadAgain),
                 At(436, 526, 89, 23), SkinFont(app::look::kDetailsButton));
  cmdClose = MakeButton(Handle(), L"cmdClose", platform::Widen(app::model::kDetailsClose),
                        At(535, 526, 89, 23), SkinFont(app::look::kDetailsButton));
}

void TfrmDetails::ShowDetails(const app::model::DetailsDescription& details) {
  SetWindowTextW(lblStatus, WindowsLines(details.statusLines).c_str());
  SetWindowTextW(memSpeeds, WindowsLines(details.speedLines).c_str());
  SetWindowTextW(lblVerdict, platform::Widen(details.verdict).c_str());
  plot_ = details.plot;
  InvalidateRect(pbSpeeds, nullptr, TRUE);
  EnableWindow(cmdReadAgain, !details.reading);
  if (!IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOW);
    SetFocus(cmdClose);
  }
}

bool TfrmDetails::PreTranslate(MSG& msg) {
  HWND window = Handle();
  if (window == nullptr || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    Close();
    return true;
  }
  return IsDialogMessageW(window, &msg) != FALSE;
}

bool TfrmDetails::OnCommand(HWND control, WORD code) {
  if (code != BN_CLICKED) return false;
  if (control == cmdReadAgain) {
    if (events_.readAgain) events_.readAgain();  // cmdReadAgainClick
    return true;
  }
  if (control == cmdClose) {
    Close();  // cmdCloseClick
    return true;
  }
  return false;
}

LRESULT TfrmDetails::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->hwndItem == pbSpeeds) {
      PaintSpeedPlot(item->hDC, item->rcItem, plot_, plotFont_);
      return TRUE;
    }
  }
  return SkinWindow::HandleMessage(message, wParam, lParam);
}

bool TfrmDetails::OnClose() {
  ShowWindow(Handle(), SW_HIDE);
  if (events_.closed) events_.closed();
  return false;
}

}  // namespace win32ui
