// The main window's behaviour without a toolkit: the start-up steps, the drive list and its
// selection, the query, the three feature buttons, the user-file button, the about box,
// closing while the drive works, and every message the window shows. A view (the Qt window,
// the Win32 window, a test) forwards its events here and shows what it is told.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/model/details_model.h"
#include "app/model/device_thread.h"
#include "app/model/live_follow.h"
#include "app/model/main_window_view.h"
#include "app/model/program_services.h"
#include "platform/system.h"

namespace app::model {

// Where the window is in its life. Device work of every kind runs one job at a time; while
// any runs, nothing that would start more is taken.
enum class WindowPhase {
  Starting,    // the start-up steps run
  Idle,        // waiting for the user
  Querying,    // a disc query runs
  DeviceWork,  // a drive selection, a feature refresh or a switch runs
  Closing,     // the user closed the window while the drive worked; it closes when done
  Closed,      // the window's end: the size written, the device released
};

inline constexpr int kMaxDriveLines = 16;

// The warning that goes with switching Pacelift on, as the warning window shows it.
WindowMessage PaceliftWarningMessage();
// The error shown when the drive list is empty; the program ends after it. With no drive at
// all it is "No drive detected !" and how to open the demo; when the system has drives that
// could not be opened (`problems`), it names each with the reason and what to do.
WindowMessage NoDriveMessage(const std::vector<platform::DriveProblem>& problems = {});
inline constexpr int kInformationPage = 0;
// The report's only line after a cancelled query, or its last.
inline constexpr const char* kQueryCancelledText =
    "Query cancelled: nothing more was sent to the drive.";
// The report's line when the selected drive's disc comes out, and the window's message when
// the selected drive is pulled out (its root, vendor and product).
inline constexpr const char* kDiscEjectedText = "The disc was taken out of the drive.";
inline constexpr const char* kDriveRemovedText = "The selected drive was removed: %s (%s %s).";
inline constexpr const char* kNoDriveLeftText =
    "No drive is left to query; the list grows again when a drive is plugged in.";
// The setting that turns the query of a new disc on its own off ("0") or on.
inline constexpr const char* kAutoQueryValue = "AutoQuery";

class MainWindowModel {
 public:
  MainWindowModel(platform::System& system, ProgramServices services,
                  std::unique_ptr<DeviceThread> thread);
  ~MainWindowModel();
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  // The window's creation: every start-up step, in order, told to `view`, which must outlive
  // the model's work.
  void FormCreate(MainWindowView& view);
  // The window's end, with its last size; writes the size and releases the device.
  void FormDestroy(int width, int height);
  // The start-up asked the program to end (build mode, no device, no drive).
  bool TerminateRequested() const { return terminateRequested_; }

  // The user's events.
  void cboDrivesChange(int line);
  void cmdRefreshClick();
  void PressFeature(size_t row);  // btnSetQRAbilityClick, btnSetTWAbilityClick, ...
  void cmdShowQRClick();
  void HelpRequested();  // F1
  void cmdAddUserFileClick();
  // The user-file button once its dialog has closed: the chosen file, or none.
  void UserFileChosen(const std::optional<std::string>& chosen);
  // The window is asked to close: true when it may close now; otherwise the drive's current
  // work is given up (a wait for the drive ends at its next poll, no further command is
  // sent) and the window closes itself (CloseWindow) once it has ended.
  bool CloseRequested();
  // The Cancel button or Esc while a query runs: the query stops at its next poll or
  // command, sends the drive nothing more, and the report says it was cancelled.
  void CancelQuery();

  // The details view (the memo's menu, Ctrl+D): opening it reads the details once, on the
  // device thread; while it is open each query is followed by a new reading. Read Again
  // reads them afresh; closing the view stops that.
  void OpenDetails();
  void ReadDetailsAgain();
  void DetailsClosed();
  bool DetailsOpen() const { return detailsOpen_; }
  // The last details read for the report shown, if any.
  const std::optional<DiscDetails>& Details() const { return details_; }
  // Following the drives while the window is shown: drives plugged in or pulled out change the
  // list, and a new disc ready in the selected drive is queried on its own (unless the setting
  // is off). `continuous`: the follow runs by itself, one slice after the other, on the device
  // thread; otherwise each FollowStep runs one slice (tests on the virtual clock).
  void StartFollowing(std::unique_ptr<platform::DriveEvents> events, bool continuous = true);
  void FollowStep();
  bool Following() const { return live_ != nullptr; }
  // The system's device messages to the window (Windows), handed to the follow.
  void DeviceMessage(std::vector<platform::DriveNotice> notices);
  // Whether a new disc is queried on its own; changing it writes the setting.
  bool AutoQuery() const { return autoQuery_; }
  void SetAutoQuery(bool on);

  // The memo's menu: the last report as text, and saving it as text or JSON.
  bool HasReport() const;
  bool HasCompleteReport() const;  // a finished query whose JSON can be saved
  // The report's lines, then the details block when the details were read.
  std::string ReportText() const;
  // Empty when saved; otherwise why not. A file name without a suffix gets the format's
  // (".txt" or ".json").
  std::string SaveReport(const std::string& path, bool json) const;

  WindowPhase Phase() const { return phase_; }
  bool DeviceBusy() const { return pending_ > 0 || followStepping_; }
  device::AtapiDevice* Device() const { return device_.get(); }
  const std::vector<std::string>& ReportLines() const { return reportLines_; }
  // The drive-list index of a drive selector line; -1 for a line that does not exist.
  int DriveIndexOfLine(int line) const;
  const custom::UserMediaRows& UserRows() const { return *userRows_; }
  // What the feature pages show, as the buttons read it back.
  const FeatureRowView& FeatureRow(size_t row) const { return featureRows_.at(row); }

 private:
  void SelectDriveOf(int line);
  void RefreshAbilities();
  void ShowFeatureRows(const std::array<FeatureRowView, 3>& rows);
  void LoadUserMediaFile();
  void Post(WindowPhase phase, DeviceThread::Job job, DeviceThread::Done done);
  void WorkDone();
  void ShowInputState();
  void ShowError(const std::string& text);
  void ClearReport();
  void AppendReportLine(const std::string& line);
  void QueryDone(const std::string& error);
  void ReadDetails(bool afterQuery);
  void ShowDetailsState();
  void StartQuery();
  void PostFollowStep();
  void FollowStepDone(const std::vector<LiveNews>& news);
  void TakeNews(const LiveNews& news);
  void DiscReadyInSelection();
  void RescanDrives();
  void DrivesRescanned(std::unique_ptr<device::AtapiDevice> fresh);
  void ShowDriveList();
  std::string SelectedRoot() const;
  void CatchUp();

  platform::System& system_;
  ProgramServices services_;
  MainWindowView* view_ = nullptr;

  WindowPhase phase_ = WindowPhase::Starting;
  int pending_ = 0;
  bool terminateRequested_ = false;
  bool queryAllowed_ = true;
  bool queryCancelled_ = false;
  bool pleaseWaitShown_ = false;  // the memo shows only the query's "Please wait ..." line

  std::unique_ptr<device::AtapiDevice> device_;
  std::array<int32_t, kMaxDriveLines> driveIndexOfLine_{};
  std::unique_ptr<custom::UserMediaRows> userRows_;
  std::array<FeatureRowView, 3> featureRows_;

  std::vector<std::string> reportLines_;
  std::unique_ptr<media::MediaReport> lastReport_;  // the last finished query, for its JSON
  int lastReportDrive_ = -1;
  // The details view: whether it is open, a reading is under way, and the last reading.
  bool detailsOpen_ = false;
  bool detailsReading_ = false;
  bool detailsAfterQuery_ = false;  // a query runs that the open view's reading will follow
  std::optional<DiscDetails> details_;
  // Set when the window stops waiting for the drive's work: a query ends after the drive's
  // current command, and the device sends nothing more. Shared with the report sink and the
  // device on the device thread.
  std::shared_ptr<std::atomic<bool>> abandonQuery_;

  // Following the drives: used on the device thread only, so destroyed after it.
  std::unique_ptr<LiveFollow> live_;
  bool followContinuous_ = true;
  bool followStepping_ = false;  // a single FollowStep is under way
  bool autoQuery_ = true;
  bool followUpQuery_ = false;  // a new disc came while busy: one query once idle
  bool rescanPending_ = false;  // drives came or went while busy: the list is made again
  int selectedLine_ = -1;
  std::vector<std::string> driveLines_;

  // Last, so that it is destroyed first: its destruction waits for the job in progress,
  // which may still use the members above.
  std::unique_ptr<DeviceThread> thread_;
};

}  // namespace app::model
