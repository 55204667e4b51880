#include "app/win32/frm_main.h"

#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>
#include <cwchar>
#include <iterator>

#include "app/model/main_window_places.h"
#include "app/model/report_export.h"
#include "app/win32/busy_indicator.h"
#include "app/win32/frm_build_qr.h"
#include "app/win32/skin_controls.h"
#include "app/win32/win32_device_thread.h"
#include "platform/files/win32/wide_text.h"
#include "platform/win32/device_change.h"

namespace win32ui {
namespace {

constexpr int kWidth = app::model::kMainWindowArea.width;
constexpr int kHeight = app::model::kMainWindowArea.height;

// The memo breaks lines as the system's edit control does.
std::wstring MemoLine(const std::string& utf8) {
  return platform::Widen(utf8);
}

}  // namespace

TfrmMain::TfrmMain(platform::System& system, app::model::ProgramServices services) {
  FrameLook look;
  look.buttons = kSystemMenu | kClose | kMaximize | kMinimize;
  Create(platform::Widen(app::model::kLayoutCaption).c_str(), CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
         kHeight, nullptr, 0, WS_EX_APPWINDOW, look);
  SetControlName(Handle(), L"frmMain");
  BuildMainWindowLayout(Handle(), controls_);
  model_ = std::make_unique<app::model::MainWindowModel>(system, std::move(services),
                                                         std::make_unique<Win32DeviceThread>());
  model_->FormCreate(*this);
  creating_ = false;
  if (closeAfterCreate_) PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

TfrmMain::~TfrmMain() {
  if (!destroyed_ && Handle() != nullptr) DestroyWindow(Handle());
  if (model_) model_->FormDestroy(kWidth, kHeight);
}

bool TfrmMain::PreTranslate(MSG& msg) {
  if (details_ && details_->PreTranslate(msg)) return true;
  HWND window = Handle();
  if (window == nullptr || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
  if (msg.message == WM_KEYDOWN) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (msg.wParam == VK_F5) {
      F5Pressed();
      return true;
    }
    if (msg.wParam == VK_F1) {
      model_->HelpRequested();
      return true;
    }
    // The report's menu from the keyboard, at the memo's corner.
    if (msg.wParam == 'S' && control) {
      controls_.suiPageControl1->SetActivePageIndex(app::model::kInformationPage);
      ShowReportMenu(-1, -1);
      return true;
    }
    if (msg.wParam == 'D' && control) {
      OpenDetails();
      return true;
    }
    // Esc stops a running query; otherwise it is the dialog keys' Cancel, which closes.
    if (msg.wParam == VK_ESCAPE && IsWindowVisible(controls_.cmdCancelQuery)) {
      cmdCancelQueryClick();
      return true;
    }
    if (msg.wParam == VK_TAB && control) {
      PageControl& pages = *controls_.suiPageControl1;
      const int count = pages.PageCount();
      pages.SetActivePageIndex((pages.ActivePageIndex() + (shift ? count - 1 : 1)) % count);
      return true;
    }
  }
  return IsDialogMessageW(window, &msg) != FALSE;
}

// --- Events, forwarded ------------------------------------------------------------------------

bool TfrmMain::OnCommand(HWND control, WORD code) {
  const MainWindowControls& c = controls_;
  if (control == c.cboDrives) {
    if (code == CBN_SELCHANGE) cboDrivesChange();
    return true;
  }
  if (control == c.lblCopyright) {
    if (code == STN_CLICKED) lblCopyrightClick();
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (control == c.cmdRefresh) {
    cmdRefreshClick();
  } else if (control == c.features[0].button) {
    btnSetQRAbilityClick();
  } else if (control == c.features[1].button) {
    btnSetTWAbilityClick();
  } else if (control == c.features[2].button) {
    btnSetPLAbilityClick();
  } else if (control == c.cmdShowQR) {
    cmdShowQRClick();
  } else if (control == c.cmdAddUserFile) {
    cmdAddUserFileClick();
  } else if (control == c.cmdCancelQuery) {
    cmdCancelQueryClick();
  } else {
    return false;
  }
  return true;
}

void TfrmMain::cboDrivesChange() {
  model_->cboDrivesChange(static_cast<int>(SendMessageW(controls_.cboDrives, CB_GETCURSEL, 0, 0)));
}

void TfrmMain::F5Pressed() {
  // The query starts at once; the button's pressed picture follows for a moment.
  const bool allowed = IsWindowEnabled(controls_.cmdRefresh) != FALSE;
  cmdRefreshClick();
  if (!allowed) return;
  SendMessageW(controls_.cmdRefresh, BM_SETSTATE, TRUE, 0);
  SetTimer(Handle(), kKeyPressedLookTimer, kKeyPressedLookMs, nullptr);
}
void TfrmMain::lblCopyrightClick() {
  const wchar_t* target = CopyrightLinkTarget();
  const std::wstring text = target != nullptr ? target : L"";
  if (text.find_first_not_of(L" \t") == std::wstring::npos) return;
  ShellExecuteW(Handle(), L"open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TfrmMain::ShowReportMenu(int x, int y) {
  enum : UINT { kCopy = 1, kSaveText, kSaveJson, kDetails, kAutoQuery };
  HMENU menu = CreatePopupMenu();
  const auto item = [&](UINT id, const char* text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, platform::Widen(text).c_str());
  };
  const bool haveReport = model_->HasReport();
  item(kCopy, app::model::kCopyReportItem, haveReport);
  item(kSaveText, app::model::kSaveTextItem, haveReport);
  item(kSaveJson, app::model::kSaveJsonItem, model_->HasCompleteReport());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  item(kDetails, app::model::kDetailsMenuItem, true);
  AppendMenuW(menu, MF_STRING | (model_->AutoQuery() ? MF_CHECKED : 0), kAutoQuery,
              platform::Widen(app::model::kAutoQueryItem).c_str());
  if (x == -1 && y == -1) {
    // From the keyboard: at the memo's corner.
    RECT r;
    GetWindowRect(controls_.memTranslator, &r);
    x = r.left + 8;
    y = r.top + 8;
  }
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr));
  DestroyMenu(menu);
  if (chosen == kDetails) OpenDetails();
  if (chosen == kAutoQuery) model_->SetAutoQuery(!model_->AutoQuery());
  if (chosen == kCopy) CopyReport();
  if (chosen == kSaveText || chosen == kSaveJson) SaveReportAs(chosen == kSaveJson);
}

void TfrmMain::CopyReport() {
  std::wstring text;
  for (wchar_t c : platform::Widen(model_->ReportText())) {
    if (c == L'\n') text += L'\r';
    text += c;
  }
  if (!OpenClipboard(Handle())) return;
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes); memory != nullptr) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
}

void TfrmMain::SaveReportAs(bool json) {
  wchar_t path[MAX_PATH * 4] = {};
  const app::model::SaveReportDialog& choice =
      json ? app::model::kSaveJsonDialog : app::model::kSaveTextDialog;
  std::wcscpy(path, platform::Widen(choice.fileName).c_str());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = json ? L"JSON files (*.json)\0*.json\0" : L"Text files (*.txt)\0*.txt\0";
  // A name typed without a suffix gets the format's, before the overwrite question.
  const std::wstring suffix = platform::Widen(choice.suffix), title = platform::Widen(choice.title);
  dialog.lpstrDefExt = suffix.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetSaveFileNameW(&dialog)) return;
  const std::string error = model_->SaveReport(platform::Narrow(path), json);
  if (!error.empty()) {
    ShowSkinMessage(Handle(), {app::model::ReportNotSavedText(error), app::model::kErrorCaption,
                               app::model::MessageIcon::Error});
  }
}

void TfrmMain::StartFollowing(std::unique_ptr<platform::DriveEvents> events) {
  if (cdromNotices_ == nullptr)
    cdromNotices_ = platform::win32::RegisterCdromNotifications(Handle());
  model_->StartFollowing(std::move(events));
}

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DEVICECHANGE) {
    model_->DeviceMessage(platform::win32::NoticesOfDeviceChange(wParam, lParam));
    return TRUE;
  }
  if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == controls_.memTranslator) {
    ShowReportMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  }
  if (message == WM_TIMER && wParam == kKeyPressedLookTimer) {
    KillTimer(Handle(), kKeyPressedLookTimer);
    SendMessageW(controls_.cmdRefresh, BM_SETSTATE, FALSE, 0);
    return 0;
  }
  if (message == WM_SETCURSOR && busyCursor_ && LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
    return TRUE;
  }
  return SkinWindow::HandleMessage(message, wParam, lParam);
}

bool TfrmMain::OnClose() {
  // The start-up runs its own steps to their end first.
  if (creating_) {
    closeAfterCreate_ = true;
    return false;
  }
  return model_->CloseRequested();
}

void TfrmMain::OnDestroy() {
  destroyed_ = true;
  if (cdromNotices_ != nullptr) UnregisterDeviceNotification(cdromNotices_);
  cdromNotices_ = nullptr;
  RECT r;
  GetWindowRect(Handle(), &r);
  model_->FormDestroy(r.right - r.left, r.bottom - r.top);
  PostQuitMessage(0);
}

// --- What the model shows ---------------------------------------------------------------------

void TfrmMain::HideUserFileButton() {
  ShowWindow(controls_.cmdAddUserFile, SW_HIDE);
}

void TfrmMain::ApplyOemBranding() {
  ApplyOemBrandingLayout(controls_);
}

void TfrmMain::HideMainWindow() {
  ShowWindow(Handle(), SW_HIDE);
}

void TfrmMain::RunBuilder() {
  TfrmBuildQR builder(Handle());
  builder.RunModal(Handle());
}

void TfrmMain::ShowSplash() {
  splash_ = std::make_unique<TfrmSplash>(Handle());
  ShowWindow(splash_->Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(splash_->Handle());
}

void TfrmMain::CloseSplash() {
  splash_.reset();
}

void TfrmMain::ShowPage(int index) {
  controls_.suiPageControl1->SetActivePageIndex(index);
}

void TfrmMain::ProcessPendingEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TfrmMain::ShowStepTexts(const std::string& step1, const std::string& step2,
                             const std::string& step3) {
  // An edition's texts may be longer than the layout's: none runs past the window's inner edge,
  // and none is cut without an ellipsis.
  SetControlText(controls_.lblStep1, step1);
  SizeToText(controls_.lblStep1, app::model::kStepTextRight);
  SetControlText(controls_.lblStep2, step2);
  FitWrapped(controls_.lblStep2);
  SetControlText(controls_.lblStep3, step3);
  SizeToText(controls_.lblStep3, app::model::kStepTextRight);
}

void TfrmMain::ShowCaption(const std::string& caption) {
  SetControlText(Handle(), caption);
}

void TfrmMain::ShowDriveLines(const std::vector<std::string>& lines) {
  // The list is made again when drives are plugged in or pulled out.
  SendMessageW(controls_.cboDrives, CB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    SendMessageW(controls_.cboDrives, CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(platform::Widen(line).c_str()));
  }
}

void TfrmMain::SelectDriveLine(int line) {
  SendMessageW(controls_.cboDrives, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void TfrmMain::ShowMainWindow() {
  // Maximised and at once restored, as the start-up does; the window shows from here on,
  // while the splash window is still up.
  ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  ShowWindow(Handle(), SW_RESTORE);
  // The keyboard starts at the first control in tab order, the drive list.
  if (!IsChild(Handle(), GetFocus())) SetFocus(controls_.cboDrives);
  ProcessPendingEvents();
  UpdateWindow(Handle());
}

void TfrmMain::ClearReport() {
  SetWindowTextW(controls_.memTranslator, L"");
}

void TfrmMain::AppendReportLine(const std::string& line) {
  HWND memo = controls_.memTranslator;
  const int length = GetWindowTextLengthW(memo);
  std::wstring text = length > 0 ? L"\r\n" : L"";
  text += MemoLine(line);
  SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
  SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TfrmMain::ShowWaitingForDrive(bool waiting) {
  if (waiting) {
    StartBusyIndicator(controls_.busyIndicator);
  } else {
    StopBusyIndicator(controls_.busyIndicator);
  }
}

void TfrmMain::ShowFeatureRow(size_t row, const app::model::FeatureRowView& view) {
  const FeatureRowControls& controls = controls_.features.at(row);
  SetControlText(controls.support, view.support);
  SetControlText(controls.state, view.state);
  SetControlText(controls.button, view.buttonCaption);
  InvalidateRect(controls.button, nullptr, FALSE);
}

void TfrmMain::ShowInputState(const app::model::InputState& state) {
  EnableWindow(controls_.cmdRefresh, state.query);
  EnableWindow(controls_.cboDrives, state.drives);
  EnableWindow(controls_.cmdAddUserFile, state.userFile);
  ShowWindow(controls_.cmdCancelQuery, state.cancel ? SW_SHOWNOACTIVATE : SW_HIDE);
  for (size_t i = 0; i < controls_.features.size(); ++i) {
    EnableWindow(controls_.features[i].button, state.features[i]);
  }
  // A control that loses its input while it has the keyboard hands it to the window, so that
  // the window's keys (F5, Ctrl+Tab, Alt+F4) keep working.
  HWND focus = GetFocus();
  if (GetActiveWindow() == Handle() && (focus == nullptr || !IsWindowEnabled(focus))) {
    SetFocus(Handle());
  }
  busyCursor_ = state.busyCursor;
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) != nullptr &&
      GetAncestor(WindowFromPoint(cursor), GA_ROOT) == Handle()) {
    SetCursor(LoadCursorA(nullptr, busyCursor_ ? IDC_APPSTARTING : IDC_ARROW));
  }
}

void TfrmMain::ShowMessage(const app::model::WindowMessage& message) {
  // The splash window stays on top of everything; step it aside while the box is up.
  const bool splashShown = splash_ != nullptr && IsWindowVisible(splash_->Handle());
  if (splashShown) ShowWindow(splash_->Handle(), SW_HIDE);
  ShowSkinMessage(IsWindowVisible(Handle()) ? Handle() : nullptr, message);
  if (splashShown && splash_ != nullptr) ShowWindow(splash_->Handle(), SW_SHOWNOACTIVATE);
}

void TfrmMain::ShowWarning(const app::model::WindowMessage& warning) {
  TfrmWarning window(Handle(), warning.text, warning.caption);
  window.RunModal(Handle());
}

void TfrmMain::ShowAbout(const std::string& text) {
  TfrmQuillrateMsgBox about(Handle(), text);
  about.RunModal(Handle());
}

void TfrmMain::ShowHelp(const std::string& caption, const std::string& text) {
  TfrmQuillrateMsgBox help(Handle(), text, caption.c_str(), app::look::kHelpName);
  help.RunModal(Handle());
}

std::optional<std::string> TfrmMain::ChooseUserFile() {
  const std::string chosen = ChooseExistingFile(Handle());
  if (chosen.empty()) return std::nullopt;
  return chosen;
}

void TfrmMain::OpenDetails() {
  model_->OpenDetails();
  if (details_ && IsWindowVisible(details_->Handle())) SetForegroundWindow(details_->Handle());
}

void TfrmMain::ShowDetails(const app::model::DetailsDescription& details) {
  if (!details_) {
    details_ = std::make_unique<TfrmDetails>(
        Handle(), TfrmDetails::Events{[this] { model_->ReadDetailsAgain(); },
                                      [this] { model_->DetailsClosed(); }});
  }
  details_->ShowDetails(details);
}

void TfrmMain::CloseWindow() {
  // Asked from inside the device thread's delivery: the window closes once that has ended.
  PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

}  // namespace win32ui
