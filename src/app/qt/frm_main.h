// The main window in Qt: a thin view over the main-window model. It lays out the controls,
// connects their events to the handlers it shares with the Win32 window (which pass them to
// the model under the handlers' own names), and shows what the model tells it. Device work
// runs on the model's device thread; the window stays responsive.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "app/model/main_window_handlers.h"
#include "app/model/main_window_model.h"
#include "app/model/main_window_view.h"
#include "app/qt/main_window_layout.h"
#include "platform/system.h"

namespace app {

class TfrmDetails;
class TfrmSplash;

class TfrmMain : public QWidget,
                 private model::MainWindowView,
                 public model::MainWindowHandlers<TfrmMain> {
  Q_OBJECT
 public:
  // Runs FormCreate. `system` must outlive the window.
  TfrmMain(platform::System& system, model::ProgramServices services, QWidget* parent = nullptr);
  ~TfrmMain() override;

  const MainWindowControls& Controls() const { return controls_; }
  model::MainWindowModel& Model() { return *model_; }
  const model::MainWindowModel& Model() const { return *model_; }
  // FormCreate asked the application to end (no drive, no device, build mode).
  bool TerminateRequested() const { return model_->TerminateRequested(); }
  bool DeviceBusy() const { return model_->DeviceBusy(); }
  const std::vector<std::string>& ReportLines() const { return model_->ReportLines(); }

  // Event handlers, under the names of the events they answer (the others: MainWindowHandlers).
  void cboDrivesChange();
  // The second half of cmdAddUserFileClick, once the dialog has closed.
  void UserFileChosen(const std::optional<std::string>& chosen);

  // The memo's context menu (also Ctrl+S) and its actions.
  void ShowReportMenu();
  void CopyReport();
  bool SaveReportAs(const QString& path, bool json, QString* error = nullptr);
  // The details window (the report's menu, Ctrl+D); none until first opened.
  void OpenDetails();
  TfrmDetails* Details() const { return details_; }

 signals:
  // All device work posted so far has completed and its results are shown.
  void DeviceIdle();
  // A query has ended (its last line is in the memo).
  void QueryFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ConnectEvents();
  void ShowReportMenu(const QPoint& pos);
  void SaveReportFromDialog(bool json);

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
  void ShowFeatureRow(size_t row, const model::FeatureRowView& view) override;
  void ShowInputState(const model::InputState& state) override;
  void ShowMessage(const model::WindowMessage& message) override;
  void ShowWarning(const model::WindowMessage& warning) override;
  void ShowAbout(const std::string& text) override;
  void ShowHelp(const std::string& caption, const std::string& text) override;
  std::optional<std::string> ChooseUserFile() override;
  void CloseWindow() override;
  void DeviceWorkEnded() override;
  void QueryEnded() override;
  void ShowDetails(const model::DetailsDescription& details) override;

  MainWindowControls controls_;
  std::unique_ptr<TfrmSplash> splash_;
  TfrmDetails* details_ = nullptr;  // a child window: Qt deletes it with the main window
  std::unique_ptr<model::MainWindowModel> model_;
};

}  // namespace app
