// The builder window of build mode, on Win32: a property file in, a customized edition
// "Quillrate.exe" out, built from the running program's own file.
#pragma once

#include <string>

#include "app/win32/skin_window.h"

namespace win32ui {

class TfrmBuildQR : public SkinWindow {
 public:
  explicit TfrmBuildQR(HWND owner);

  void cmdBrowseClick();
  void cmdBuildClick();
  void cmdCloseClick();

 private:
  bool OnCommand(HWND control, WORD code) override;

  HWND txtFile_ = nullptr;
  HWND cmdBrowse_ = nullptr;
  HWND cmdBuild_ = nullptr;
  HWND cmdClose_ = nullptr;
  // Where "Quillrate.exe" goes: the current folder, or the folder the user chose once the
  // current folder turned out to be the program's own.
  std::string outputDir_ = ".";
};

// The open-file dialog with the filter "Any Files(*.*)" and a file that must exist: the
// chosen path in UTF-8, or nothing when cancelled.
std::string ChooseExistingFile(HWND owner);

// The system's folder chooser, starting at the user's documents: the chosen folder in UTF-8,
// or nothing when cancelled.
std::string ChooseFolder(HWND owner, const wchar_t* title);

}  // namespace win32ui
