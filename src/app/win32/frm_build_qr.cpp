#include "app/win32/frm_build_qr.h"

#include <commdlg.h>
#include <shlobj.h>

#include <exception>

#include "app/model/main_window_view.h"
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
  dialog.lpstrFilter = L"Any Files(*.*)\0*.*\0";
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
  FrameLook look;
  look.buttons = 0;
  Create(L"Quill-Rate Builder", CW_USEDEFAULT, CW_USEDEFAULT, 454, 123, owner, 0, 0, look);
  HFONT font = SkinFont({L"Verdana", 11});
  MakeLabel(Handle(), L"Label1", L"Please select parameter file :", At(8, 36, 200, 13), font,
            kBlack, kFrameColor);
  txtFile_ = MakeControl(Handle(), L"EDIT", L"txtFile", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                         At(8, 56, 361, 21), font, WS_EX_CLIENTEDGE);
  cmdBrowse_ = MakeButton(Handle(), L"cmdBrowse", L"Browse", At(376, 56, 69, 21), font);
  cmdBuild_ = MakeButton(Handle(), L"cmdBuild", L"Build", At(300, 92, 69, 21), font);
  cmdClose_ = MakeButton(Handle(), L"cmdClose", L"Close", At(376, 92, 69, 21), font);
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
  EnableWindow(cmdBuild_, FALSE);
  custom::BuildRequest request;  // the prototype: this program's own file
  request.propertyPath = custom::PropertyPathFromField(ControlText(txtFile_));
  // Never beside an installed program (Program Files): the user chooses the folder.
  if (!request.propertyPath.empty() &&
      custom::OutputDirNeedsChoice(outputDir_, platform::RunningProgramFile())) {
    const std::string chosen =
        ChooseFolder(Handle(), L"Choose the folder for Quillrate.exe (not the program's own)");
    if (chosen.empty()) {
      EnableWindow(cmdBuild_, TRUE);
      return;
    }
    outputDir_ = chosen;
  }
  request.outputDir = outputDir_;
  custom::BuildOutcome outcome;
  try {
    outcome = custom::BuildEdition(request);
  } catch (const std::exception& e) {
    outcome = custom::BuildError(custom::BuildStatus::LoadPrototypeFailed, e.what());
  }
  ShowSkinMessage(
      Handle(), {outcome.text, outcome.caption,
                 outcome.icon == custom::MessageIcon::Stop ? app::model::MessageIcon::Error
                                                           : app::model::MessageIcon::Information});
  EnableWindow(cmdBuild_, TRUE);
}

void TfrmBuildQR::cmdCloseClick() {
  Close();
}

}  // namespace win32ui
