// The builder window of build mode, on Win32: a property file in, a customized edition
// "Quillrate.exe" out, built from the running program's own file. What a build does is the
// builder model's; the window lays out its controls and shows what it is told.
#pragma once

#include <string>

#include "app/model/builder_model.h"
#include "app/win32/skin_window.h"

namespace win32ui {

class TfrmBuildQR : public SkinWindow, private app::model::BuilderView {
 public:
  explicit TfrmBuildQR(HWND owner);

  void cmdBrowseClick();
  void cmdBuildClick();
  void cmdCloseClick();

 private:
  bool OnCommand(HWND control, WORD code) override;
  std::string FileFieldText() override;
  void EnableBuild(bool enabled) override;
  std::string ChooseOutputFolder() override;
  void ShowMessage(const app::model::WindowMessage& message) override;

  HWND txtFile_ = nullptr;
  HWND cmdBrowse_ = nullptr;
  HWND cmdBuild_ = nullptr;
  HWND cmdClose_ = nullptr;
  app::model::BuilderModel builder_;
};

// The open-file dialog with the filter "Any Files(*.*)" and a file that must exist: the
// chosen path in UTF-8, or nothing when cancelled.
std::string ChooseExistingFile(HWND owner);

// The system's folder chooser, starting at the user's documents: the chosen folder in UTF-8,
// or nothing when cancelled.
std::string ChooseFolder(HWND owner, const wchar_t* title);

}  // namespace win32ui
