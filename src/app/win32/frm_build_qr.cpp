#include "app/win32/frm_build_qr.h"

#include <commdlg.h>
#include <shlobj.h>

#include "app/look/builder_window.h"
#include "app/win32/frm_small_windows.h"
#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "custom/build_edition.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {

std::string ChooseExistingFile(HWND owner) {
  wchar_t path[MAX_PATH * 4] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  // The one filter, which shows every file.
  const std::wstring filter =
      platform::Widen(app::look::kBuilderFilterName) + L'\0' + L"*.*" + L'\0';
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path;
  dialog.nMaxFile = static_cast<DWORD>(std::size(path));
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&dialog)) return {};
  return platform::Narrow(path);
}

namespace {

// Selects the user's documents folder once the chooser is up.
int CALLBACK StartInDocuments(HWND dialog, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    wchar_t documents[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents))) {
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(documents));
    }
  }
  return 0;
}

}  // namespace

std::string ChooseFolder(HWND owner, const wchar_t* title) {
  // The classic chooser: the newer one needs COM, a library beyond the program's imports.
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  browse.lpfn = StartInDocuments;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  const bool named = SHGetPathFromIDListW(chosen, path) != FALSE;
  ILFree(chosen);
  return named ? platform::Narrow(path) : std::string();
}

TfrmBuildQR::TfrmBuildQR(HWND owner) {
  namespace look = app::look;
  FrameLook frame;
  frame.buttons = 0;
  Create(platform::Widen(look::kBuilderCaption), CW_USEDEFAULT, CW_USEDEFAULT,
         look::kBuilderSize.width, look::kBuilderSize.height, owner, 0, 0, frame);
  HFONT font = SkinFont(look::kBuilderFont);
  MakeLabel(Handle(), look::kBuilderLabel, Wide(look::kBuilderLabel.text), font, kBlack);
  txtFile_ =
      MakeControl(Handle(), L"EDIT", Wide(look::kBuilderFile.name).c_str(), L"",
                  WS_TABSTOP | ES_AUTOHSCROLL, At(look::kBuilderFile.at), font, WS_EX_CLIENTEDGE);
  cmdBrowse_ = MakeButton(Handle(), look::kBuilderBrowse, font);
  cmdBuild_ = MakeButton(Handle(), look::kBuilderBuild, font);
  cmdClose_ = MakeButton(Handle(), look::kBuilderClose, font);
}

bool TfrmBuildQR::OnCommand(HWND control, WORD code) {
  if (code != BN_CLICKED) return false;
  if (control == cmdBrowse_) {
    cmdBrowseClick();
  } else if (control == cmdBuild_) {
    cmdBuildClick();
  } else if (control == cmdClose_) {
    cmdCloseClick();
  } else {
    return false;
  }
  return true;
}

void TfrmBuildQR::cmdBrowseClick() {
  const std::string chosen = ChooseExistingFile(Handle());
  if (!chosen.empty()) SetControlText(txtFile_, chosen);
}

void TfrmBuildQR::cmdBuildClick() {
  builder_.cmdBuildClick(*this);
}

void TfrmBuildQR::cmdCloseClick() {
  Close();
}

std::string TfrmBuildQR::FileFieldText() {
  return ControlText(txtFile_);
}

void TfrmBuildQR::EnableBuild(bool enabled) {
  EnableWindow(cmdBuild_, enabled ? TRUE : FALSE);
}

std::string TfrmBuildQR::ChooseOutputFolder() {
  return ChooseFolder(Handle(), platform::Widen(app::look::kBuilderFolderTitle).c_str());
}

void TfrmBuildQR::ShowMessage(const app::model::WindowMessage& message) {
  ShowSkinMessage(Handle(), message);
}

}  // namespace win32ui
