#include "app/model/main_window_model.h"

#include <exception>

#include "app/model/display_text.h"
#include "app/model/drive_line.h"
#include "app/model/help_text.h"
#include "app/model/report_export.h"
#include "custom/user_media_file.h"
#include "device/atapi_device.h"
#include "features/feature_view.h"
#include "media/media_report.h"
#include "settings/os_info.h"
#include "text/common_texts.h"
#include "text/format_c.h"

namespace app::model {
namespace {

constexpr const char* kInformationCaption = "Information";
constexpr const char* kNoDeviceText = "Unable to create Device Object !";
constexpr const char* kNoCompleteReport = "There is no complete report to save.";
constexpr const char* kNoDriveOpenedText = "The drives of this computer could not be opened:";
constexpr const char* kDemoHintText =
    "To see Quillrate at work without a drive, open the demo: quillrate --simulate";

FeatureRowView RowOf(const features::FeatureView& view) {
  return {view.support, view.state, view.buttonCaption, view.buttonEnabled};
}

std::array<FeatureRowView, 3> InitialRows() {
  std::array<FeatureRowView, 3> rows;
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i] = RowOf(features::InitialView(features::kAllFeatures[i]));
  }
  return rows;
}

// Thrown into the query when the window stops waiting for it.
struct QueryAbandoned {};

// Hands the report, produced on the device thread, to the window's thread in its order.
// Once the window stops waiting, the next report step throws QueryAbandoned, so the query
// ends after the drive's current command.
class WindowReportSink : public media::ReportSink {
 public:
  struct Target {
    std::function<void(const std::string&)> pleaseWait;
    std::function<void()> cleared;
    std::function<void(const std::string&)> line;
  };
  WindowReportSink(DeviceThread& thread, Target target, std::shared_ptr<std::atomic<bool>> abandon)
      : thread_(thread), target_(std::move(target)), abandon_(std::move(abandon)) {}

  void PleaseWait(const std::string& line) override {
    Post([target = target_, line] { target.pleaseWait(line); });
  }
  void Cleared() override {
    Post([target = target_] { target.cleared(); });
  }
  void Line(const std::string& line) override {
    Post([target = target_, line] { target.line(line); });
  }

 private:
  void Post(std::function<void()> call) {
    if (abandon_->load()) throw QueryAbandoned{};
    thread_.ToWindow(std::move(call));
  }

  DeviceThread& thread_;
  Target target_;
  std::shared_ptr<std::atomic<bool>> abandon_;
};

}  // namespace

WindowMessage PaceliftWarningMessage() {
  return {features::kPaceliftWarning, features::kPaceliftWarningCaption, MessageIcon::Warning};
}

WindowMessage NoDriveMessage(const std::vector<platform::DriveProblem>& problems) {
  std::string text;
  for (const platform::DriveProblem& problem : problems) {
    if (problem.unopened) text += "\n\n" + problem.device + ": " + problem.reason;
  }
  if (!text.empty()) {
    return {DisplayText(kNoDriveOpenedText + text), kErrorCaption, MessageIcon::Error};
  }
  return {std::string(text::kNoDriveDetectedText) + "\n\n" + kDemoHintText, kErrorCaption,
          MessageIcon::Error};
}

MainWindowModel::MainWindowModel(platform::System& system, ProgramServices services,
                                 std::unique_ptr<DeviceThread> thread)
    : system_(system),
      services_(std::move(services)),
      userRows_(std::make_unique<custom::UserMediaRows>()),
      featureRows_(InitialRows()),
      abandonQuery_(std::make_shared<std::atomic<bool>>(false)),
      thread_(std::move(thread)) {
  driveIndexOfLine_.fill(-1);
}

MainWindowModel::~MainWindowModel() {
  // Nothing of the device thread may outlive what it works on.
  abandonQuery_->store(true);
  thread_.reset();
}

void MainWindowModel::FormCreate(MainWindowView& view) {
  view_ = &view;
  view.HideUserFileButton();
  view.ApplyOemBranding();
  if (services_.isBuildMode()) {
    view.HideMainWindow();
    view.RunBuilder();
    terminateRequested_ = true;
    view.ProcessPendingEvents();
    phase_ = WindowPhase::Idle;
    return;
  }

  view.ShowSplash();
  view.ShowPage(kInformationPage);
  view.ProcessPendingEvents();

  driveIndexOfLine_.fill(-1);
  const EditionTexts edition = services_.edition();
  view.ShowStepTexts(DisplayLine(edition.step1), DisplayLine(edition.step2),
                     DisplayLine(edition.step3));
  view.ShowCaption(DisplayLine(
      text::FormatC("%s v%s.%s.%s", edition.programName.c_str(), edition.majorVersion.c_str(),
                    edition.minorVersion.c_str(), edition.revision.c_str())));

  // The drives are found on the device thread, so the splash window keeps painting.
  const std::string error =
      thread_->RunAndWait([this] { device_ = services_.createDevice(system_); });
  if (!error.empty() || !device_) {
    device_.reset();
    view.CloseSplash();
    view.ShowMessage({kNoDeviceText, kErrorCaption, MessageIcon::Error});
    terminateRequested_ = true;
    phase_ = WindowPhase::Idle;
    return;
  }
  device_->SetStopRequest([stop = abandonQuery_] { return stop->load(); });

  std::vector<std::string> lines;
  for (int j = 0; j < device_->GetDriveCount() && lines.size() < kMaxDriveLines; ++j) {
    const device::DriveEntry* entry = device_->GetDriveEntry(static_cast<unsigned>(j));
    if (entry == nullptr || !ListsDrive(*entry)) continue;
    driveIndexOfLine_[lines.size()] = j;
    lines.push_back(DisplayLine(DriveComboLine(*entry)));
  }
  view.ShowDriveLines(lines);
  driveLines_ = lines;

  if (device_->GetDriveCount() <= 0) {
    std::vector<platform::DriveProblem> problems;
    thread_->RunAndWait([this, &problems] { problems = system_.DriveProblems(); });
    view.ShowMessage(NoDriveMessage(problems));
    terminateRequested_ = true;
  } else if (lines.empty()) {
    queryAllowed_ = false;
  } else {
    view.SelectDriveLine(0);
    selectedLine_ = 0;
    ClearReport();
    SelectDriveOf(0);
  }
  ShowInputState();

  // A program that ends at once never shows its main window: shown and destroyed at once, the
  // window would flash up, and under Wine the window system waits for it (seconds) before the
  // program can end.
  if (!terminateRequested_) view.ShowMainWindow();
  LoadUserMediaFile();
  view.CloseSplash();
  phase_ = WindowPhase::Idle;
}

// The selection's own steps, waited for: at start-up the splash stays until they are done.
void MainWindowModel::SelectDriveOf(int line) {
  const int index = DriveIndexOfLine(line);
  thread_->RunAndWait([this, index] { device_->SelectDrive(index); });
  ClearReport();
  std::array<features::FeatureView, 3> views;
  const std::string error =
      thread_->RunAndWait([this, &views] { views = features::RefreshAbilities(*device_); });
  if (error.empty()) {
    for (size_t i = 0; i < views.size(); ++i) featureRows_[i] = RowOf(views[i]);
    for (size_t i = 0; i < views.size(); ++i) view_->ShowFeatureRow(i, featureRows_[i]);
  }
}

void MainWindowModel::LoadUserMediaFile() {
  try {
    services_.loadUserMediaFile(system_, *userRows_);
  } catch (const std::exception& e) {
    view_->CloseSplash();
    ShowError(e.what());
  } catch (...) {
    view_->CloseSplash();
    ShowError("The user-defined media file could not be read.");
  }
}

void MainWindowModel::FormDestroy(int width, int height) {
  if (phase_ == WindowPhase::Closed) return;
  phase_ = WindowPhase::Closed;
  abandonQuery_->store(true);
  thread_.reset();
  live_.reset();
  settings::OSInfo::WriteRegDword(system_, settings::kProgramKey, "Width",
                                  static_cast<uint32_t>(width));
  settings::OSInfo::WriteRegDword(system_, settings::kProgramKey, "Height",
                                  static_cast<uint32_t>(height));
  device_.reset();
  userRows_->Clear();
}

int MainWindowModel::DriveIndexOfLine(int line) const {
  if (line < 0 || line >= kMaxDriveLines) return -1;
  return driveIndexOfLine_[static_cast<size_t>(line)];
}

void MainWindowModel::cboDrivesChange(int line) {
  if (!device_ || phase_ != WindowPhase::Idle) return;
  const int index = DriveIndexOfLine(line);
  selectedLine_ = line;
  Post(
      WindowPhase::DeviceWork, [this, index] { device_->SelectDrive(index); },
      [this](const std::string&) {
        ClearReport();
        RefreshAbilities();
        if (detailsOpen_) ReadDetails(false);
      });
}

void MainWindowModel::RefreshAbilities() {
  if (!device_ || phase_ == WindowPhase::Closing) return;
  auto views = std::make_shared<std::array<features::FeatureView, 3>>();
  Post(
      WindowPhase::DeviceWork, [this, views] { *views = features::RefreshAbilities(*device_); },
      [this, views](const std::string& error) {
        if (!error.empty()) return;
        std::array<FeatureRowView, 3> rows;
        for (size_t i = 0; i < rows.size(); ++i) rows[i] = RowOf((*views)[i]);
        ShowFeatureRows(rows);
      });
}

void MainWindowModel::ShowFeatureRows(const std::array<FeatureRowView, 3>& rows) {
  featureRows_ = rows;
  for (size_t i = 0; i < rows.size(); ++i) view_->ShowFeatureRow(i, rows[i]);
}

void MainWindowModel::PressFeature(size_t row) {
  if (!device_ || phase_ != WindowPhase::Idle || row >= featureRows_.size() ||
      !featureRows_[row].buttonEnabled) {
    return;
  }
  const features::Feature feature = features::kAllFeatures[row];
  // The state label is the only record of the feature's state: "NO" switches it on.
  const bool on = features::PressSwitchesOn(featureRows_[row].state);
  Post(
      WindowPhase::DeviceWork, [this, feature, on] { features::Switch(*device_, feature, on); },
      [this, feature, on](const std::string&) {
        if (features::PressShowsWarning(feature, on)) {
          view_->ShowWarning(PaceliftWarningMessage());
        }
        RefreshAbilities();
      });
}

void MainWindowModel::cmdRefreshClick() {
  // A second press while a query runs, or a press once closing has begun, starts nothing.
  if (!device_ || phase_ != WindowPhase::Idle || !queryAllowed_) return;
  StartQuery();
}

void MainWindowModel::StartQuery() {
  followUpQuery_ = false;
  // An open details view is read again once the report is done: it says so meanwhile.
  detailsAfterQuery_ = detailsOpen_;
  ClearReport();
  view_->ShowPage(kInformationPage);
  abandonQuery_->store(false);
  queryCancelled_ = false;
  lastReport_.reset();
  auto sink = std::make_shared<WindowReportSink>(
      *thread_,
      WindowReportSink::Target{[this](const std::string& line) {
                                 ClearReport();
                                 view_->ShowPage(kInformationPage);
                                 AppendReportLine(line);
                                 pleaseWaitShown_ = true;
                                 view_->ShowWaitingForDrive(true);
                               },
                               [this] {
                                 view_->ShowWaitingForDrive(false);
                                 ClearReport();
                                 pleaseWaitShown_ = false;
                               },
                               [this](const std::string& line) { AppendReportLine(line); }},
      abandonQuery_);
  auto report = std::make_shared<std::unique_ptr<media::MediaReport>>();
  Post(
      WindowPhase::Querying,
      [this, sink, report] {
        try {
          // A query from the window asks the drive afresh: the disc may have changed since.
          device_->ForgetAnswers();
          *report =
              std::make_unique<media::MediaReport>(services_.runQuery(*device_, *userRows_, *sink));
        } catch (const QueryAbandoned&) {
        }
      },
      [this, report](const std::string& error) {
        lastReport_ = std::move(*report);
        lastReportDrive_ = device_ ? device_->CurrentIndex() : -1;
        view_->ShowWaitingForDrive(false);
        if (queryCancelled_ && phase_ != WindowPhase::Closing) {
          // The device takes commands again; the report keeps what it had and says why it
          // ends there.
          abandonQuery_->store(false);
          lastReport_.reset();
          if (pleaseWaitShown_) ClearReport();
          AppendReportLine(kQueryCancelledText);
        } else if (!error.empty() && phase_ != WindowPhase::Closing) {
          ShowError(error);
        } else if (detailsOpen_ && lastReport_ && phase_ != WindowPhase::Closing) {
          // The details follow the report they belong to, in the same snapshot.
          ReadDetails(true);
        }
        detailsAfterQuery_ = false;
        queryCancelled_ = false;
        pleaseWaitShown_ = false;
        ShowDetailsState();
        view_->QueryEnded();
      });
}

void MainWindowModel::ClearReport() {
  view_->ClearReport();
  reportLines_.clear();
  if (phase_ != WindowPhase::Querying) lastReport_.reset();
  details_.reset();
  ShowDetailsState();
}

void MainWindowModel::OpenDetails() {
  if (!device_ || phase_ == WindowPhase::Closing || phase_ == WindowPhase::Closed ||
      !queryAllowed_) {
    return;
  }
  detailsOpen_ = true;
  if (!details_ && !detailsReading_) {
    ReadDetails(false);
  } else {
    ShowDetailsState();
  }
}

void MainWindowModel::ReadDetailsAgain() {
  if (!detailsOpen_ || phase_ != WindowPhase::Idle) return;
  ReadDetails(false);
}

void MainWindowModel::DetailsClosed() {
  detailsOpen_ = false;
}

void MainWindowModel::ShowDetailsState() {
  if (!detailsOpen_) return;
  if (detailsReading_ || detailsAfterQuery_) {
    view_->ShowDetails(ReadingDetails());
  } else if (details_) {
    view_->ShowDetails(DescribeDetails(*details_));
  } else {
    view_->ShowDetails(NotReadDetails());
  }
}

// Off the window's thread, after whatever device work is queued. Opened on its own, the view
// asks the drive afresh (the disc may have changed); after a query it takes the query's
// snapshot, so nothing the query already asked is asked again.
void MainWindowModel::ReadDetails(bool afterQuery) {
  if (!device_ || detailsReading_ || phase_ == WindowPhase::Closing) return;
  detailsReading_ = true;
  details_.reset();
  ShowDetailsState();
  auto read = std::make_shared<std::optional<DiscDetails>>();
  Post(
      WindowPhase::DeviceWork,
      [this, read, afterQuery] {
        if (!afterQuery) device_->ForgetAnswers();
        *read = ReadDiscDetails(*device_);
      },
      [this, read](const std::string& error) {
        detailsReading_ = false;
        if (phase_ == WindowPhase::Closing) return;
        if (queryCancelled_) {
          // Cancelled with the query it followed: the device takes commands again, and the
          // view says the details were not read.
          abandonQuery_->store(false);
          queryCancelled_ = false;
          ShowDetailsState();
          return;
        }
        if (!error.empty()) {
          ShowDetailsState();
          ShowError(error);
          return;
        }
        details_ = std::move(*read);
        ShowDetailsState();
      });
}

void MainWindowModel::AppendReportLine(const std::string& line) {
  reportLines_.push_back(line);
  view_->AppendReportLine(DisplayLine(line));
}

void MainWindowModel::cmdShowQRClick() {
  view_->ShowAbout(DisplayText(services_.aboutText()));
}

void MainWindowModel::HelpRequested() {
  view_->ShowHelp(kHelpCaption, HelpText());
}

void MainWindowModel::cmdAddUserFileClick() {
  if (phase_ != WindowPhase::Idle) return;
  UserFileChosen(view_->ChooseUserFile());
}

void MainWindowModel::UserFileChosen(const std::optional<std::string>& chosen) {
  try {
    const std::string refused =
        services_.addOrRemoveUserFile(system_, chosen, *userRows_, [this](const std::string& text) {
          view_->ShowMessage({DisplayText(text), kInformationCaption, MessageIcon::Information});
        });
    if (!refused.empty()) ShowError(refused);
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

bool MainWindowModel::CloseRequested() {
  if (pending_ == 0) return true;
  // The drive finishes its current command first; the query then ends and the window
  // closes itself.
  phase_ = WindowPhase::Closing;
  abandonQuery_->store(true);
  ShowInputState();
  return false;
}

void MainWindowModel::CancelQuery() {
  if (phase_ != WindowPhase::Querying || queryCancelled_) return;
  queryCancelled_ = true;
  abandonQuery_->store(true);
  ShowInputState();
}

bool MainWindowModel::HasReport() const {
  return !reportLines_.empty() && phase_ != WindowPhase::Querying;
}

bool MainWindowModel::HasCompleteReport() const {
  return HasReport() && lastReport_ != nullptr;
}

std::string MainWindowModel::ReportText() const {
  std::string text = model::ReportText(reportLines_);
  if (details_) text += model::ReportText(DetailsExportLines(DescribeDetails(*details_)));
  return text;
}

std::string MainWindowModel::SaveReport(const std::string& typed, bool json) const {
  const std::string path = WithReportSuffix(typed, json);
  if (!json) return SaveReportFile(path, ReportText());
  const device::DriveEntry* drive =
      device_ && lastReportDrive_ >= 0
          ? device_->GetDriveEntry(static_cast<unsigned>(lastReportDrive_))
          : nullptr;
  if (!lastReport_ || drive == nullptr) return kNoCompleteReport;
  if (!details_) return SaveReportFile(path, ReportJson(*drive, lastReportDrive_, *lastReport_));
  return SaveReportFile(path,
                        ReportJsonWithDetails(*drive, lastReportDrive_, *lastReport_, *details_));
}

void MainWindowModel::Post(WindowPhase phase, DeviceThread::Job job, DeviceThread::Done done) {
  if (!thread_) return;
  if (phase_ == WindowPhase::Idle) phase_ = phase;
  ++pending_;
  ShowInputState();
  thread_->Post(std::move(job), [this, done = std::move(done)](const std::string& error) {
    --pending_;
    if (done) done(error);
    WorkDone();
  });
}

void MainWindowModel::WorkDone() {
  if (pending_ > 0) return;
  const bool closing = phase_ == WindowPhase::Closing;
  if (!closing) phase_ = WindowPhase::Idle;
  ShowInputState();
  view_->DeviceWorkEnded();
  if (closing) {
    view_->CloseWindow();
    return;
  }
  CatchUp();
}

void MainWindowModel::ShowInputState() {
  const bool busy = pending_ > 0 || phase_ == WindowPhase::Closing;
  InputState state;
  state.query = !busy && queryAllowed_;
  state.drives = !busy;
  state.userFile = !busy;
  for (size_t i = 0; i < featureRows_.size(); ++i) {
    state.features[i] = !busy && featureRows_[i].buttonEnabled;
  }
  state.busyCursor = busy;
  state.cancel = phase_ == WindowPhase::Querying && !queryCancelled_;
  view_->ShowInputState(state);
}

void MainWindowModel::ShowError(const std::string& text) {
  view_->ShowMessage({DisplayText(text), kErrorCaption, MessageIcon::Error});
}

}  // namespace app::model
