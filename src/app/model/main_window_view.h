// What the main-window model asks of a view: which windows to show and what to put into the
// controls. Texts arrive as UTF-8, ready to show (control characters already visible). The
// Qt window and the Win32 window implement it; neither decides anything itself.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/model/details_model.h"

namespace app::model {

enum class MessageIcon { Information, Warning, Error };

// The caption of every error box of the window programs.
inline constexpr const char* kErrorCaption = "Error ...";

// A modal message box: its text, caption and icon.
struct WindowMessage {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::Information;
  bool operator==(const WindowMessage&) const = default;
};

// One row of the feature pages: the support and state value labels and the button.
struct FeatureRowView {
  std::string support;  // "YES", "NO" or "N/A"
  std::string state;    // "YES", "NO" or "N/A"
  std::string buttonCaption;
  bool buttonEnabled = true;
  bool operator==(const FeatureRowView&) const = default;
};

// Which controls take input now, and whether the window shows that it is busy.
struct InputState {
  bool query = true;
  bool drives = true;
  bool userFile = true;
  std::array<bool, 3> features{true, true, true};
  bool busyCursor = false;
  bool cancel = false;  // the query's Cancel button: shown and pressable while a query runs
  bool operator==(const InputState&) const = default;
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // Start-up.
  virtual void HideUserFileButton() = 0;
  virtual void ApplyOemBranding() = 0;
  virtual void HideMainWindow() = 0;
  // Runs the builder window modally, owned by the main window.
  virtual void RunBuilder() = 0;
  virtual void ShowSplash() = 0;
  virtual void CloseSplash() = 0;
  virtual void ShowPage(int index) = 0;
  // Lets the window paint what it has been told so far.
  virtual void ProcessPendingEvents() = 0;
  virtual void ShowStepTexts(const std::string& step1, const std::string& step2,
                             const std::string& step3) = 0;
  virtual void ShowCaption(const std::string& caption) = 0;
  virtual void ShowDriveLines(const std::vector<std::string>& lines) = 0;
  // Puts line `line` of the drive selector in place without running its change handler.
  virtual void SelectDriveLine(int line) = 0;
  // The start-up's maximise-and-restore step: from here the main window is visible.
  virtual void ShowMainWindow() = 0;

  // The report memo and its busy indicator.
  virtual void ClearReport() = 0;
  virtual void AppendReportLine(const std::string& line) = 0;
  virtual void ShowWaitingForDrive(bool waiting) = 0;

  // The feature pages, the enabled controls.
  virtual void ShowFeatureRow(size_t row, const FeatureRowView& view) = 0;
  virtual void ShowInputState(const InputState& state) = 0;

  // Modal windows; each returns once it has been closed.
  virtual void ShowMessage(const WindowMessage& message) = 0;
  virtual void ShowWarning(const WindowMessage& warning) = 0;
  virtual void ShowAbout(const std::string& text) = 0;
  // The help window (F1): the about box's frame with this caption and text.
  virtual void ShowHelp(const std::string& caption, const std::string& text) = 0;
  // The user-file button's open-file dialog: the chosen file, or nothing when cancelled.
  virtual std::optional<std::string> ChooseUserFile() = 0;

  // The details window: shown (or brought forward) with this description, and shown again
  // with each new reading while it is open.
  virtual void ShowDetails(const DetailsDescription& /*details*/) {}

  // The window closes itself: device work it was waiting for has ended.
  virtual void CloseWindow() = 0;
  // Device work has ended and its results are shown; a query has ended.
  virtual void DeviceWorkEnded() {}
  virtual void QueryEnded() {}
};

}  // namespace app::model
