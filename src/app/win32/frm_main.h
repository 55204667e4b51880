// The main window on Win32: a thin view over the main-window model, like the Qt window. It
// lays out the controls, connects their events to the handlers it shares with the Qt window
// (which pass them to the model under the handlers' own names) and shows what the model
// tells it. Device work runs on a worker thread; the window stays responsive.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/model/main_window_handlers.h"
#include "app/model/main_window_model.h"
#include "app/model/main_window_view.h"
#include "app/win32/frm_details.h"
#include "app/win32/frm_small_windows.h"
#include "app/win32/main_window_layout.h"
#include "app/win32/skin_window.h"
#include "platform/system.h"

namespace win32ui {

class TfrmMain : public SkinWindow,
                 private app::model::MainWindowView,
                 public app::model::MainWindowHandlers<TfrmMain> {
 public:
  // Creates the window and runs FormCreate. `system` must outlive the window.
  TfrmMain(platform::System& system, app::model::ProgramServices services);
  ~TfrmMain() override;

  bool TerminateRequested() const { return model_->TerminateRequested(); }
  // From here the window follows the drives and their discs: the system's device messages
  // wake the follow.
  void StartFollowing(std::unique_ptr<platform::DriveEvents> events);
  // The keys the window takes before the controls do (F5, Ctrl+Tab, Tab): true when `msg`
  // was used.
  bool PreTranslate(MSG& msg);

  app::model::MainWindowModel& Model() { return *model_; }

  // Event handlers, under the names of the events they answer (the others: MainWindowHandlers).
  void cboDrivesChange();
  // F5: the query, then the query button's pressed picture for kKeyPressedLookMs.
  void F5Pressed();
  static constexpr UINT_PTR kKeyPressedLookTimer = 0x5155;
  static constexpr UINT kKeyPressedLookMs = 100;
  void lblCopyrightClick();
  // The memo's menu: copy the report, save it as text or JSON.
  void ShowReportMenu(int x, int y);
  void CopyReport();
  void SaveReportAs(bool json);
  // The details window (the report's menu, Ctrl+D); none until first opened.
  void OpenDetails();
  TfrmDetails* Details() const { return details_.get(); }

 private:
  HDEVNOTIFY cdromNotices_ = nullptr;
  bool OnCommand(HWND control, WORD code) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnClose() override;
  void OnDestroy() override;

  // What the model shows.
  void HideUserFileButton() override;
  void ApplyOemBranding() override;
  void HideMainWindow() override;
  void RunBuilder() override;
  void ShowSplash() override;
  void CloseSplash() override;
  void ShowPage(int index) override;
  void ProcessPendingEvents() override;
  void ShowStepTexts(const std::string& step1, const std::string& step2,
                     const std::string& step3) override;
  void ShowCaption(const std::string& caption) override;
  void ShowDriveLines(const std::vector<std::string>& lines) override;
  void SelectDriveLine(int line) override;
  void ShowMainWindow() override;
  void ClearReport() override;
  void AppendReportLine(const std::string& line) override;
  void ShowWaitingForDrive(bool waiting) override;
  void ShowFeatureRow(size_t row, const app::model::FeatureRowView& view) override;
  void ShowInputState(const app::model::InputState& state) override;
  void ShowMessage(const app::model::WindowMessage& message) override;
  void ShowWarning(const app::model::WindowMessage& warning) override;
  void ShowAbout(const std::string& text) override;
  void ShowHelp(const std::string& caption, const std::string& text) override;
  std::optional<std::string> ChooseUserFile() override;
  void CloseWindow() override;
  void ShowDetails(const app::model::DetailsDescription& details) override;

  MainWindowControls controls_;
  std::unique_ptr<TfrmSplash> splash_;
  std::unique_ptr<TfrmDetails> details_;
  std::unique_ptr<app::model::MainWindowModel> model_;
  bool creating_ = true;
  bool closeAfterCreate_ = false;
  bool busyCursor_ = false;
  bool destroyed_ = false;
};

}  // namespace win32ui
