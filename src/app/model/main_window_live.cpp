// The main window following its drives: what it does when a drive comes or goes and when the
// selected drive's disc comes or goes. The news arrive on the window's thread from the follow,
// which runs on the device thread between the window's own jobs, so the follow never asks a
// drive while the window queries it.
#include <memory>
#include <stdexcept>
#include <utility>

#include "app/model/display_text.h"
#include "app/model/drive_line.h"
#include "app/model/main_window_model.h"
#include "device/atapi_device.h"
#include "settings/os_info.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace app::model {

void MainWindowModel::StartFollowing(std::unique_ptr<platform::DriveEvents> events,
                                     bool continuous) {
  if (live_ || !events || !device_ || !thread_ || terminateRequested_) return;
  std::array<char, 256> value{};
  autoQuery_ =
      !settings::OSInfo::ReadRegString(system_, settings::kProgramKey, kAutoQueryValue, value) ||
      std::string(value.data()) != "0";
  followContinuous_ = continuous;
  // The follow starts from a copy of the window's drive list, with handles of its own, instead
  // of asking every drive once more; a drive plugged in or pulled out later is listed afresh.
  // Made on the device thread, between the window's jobs.
  auto listed = std::make_shared<bool>(false);
  live_ = std::make_unique<LiveFollow>(system_, std::move(events), [this, listed] {
    std::unique_ptr<device::AtapiDevice> device;
    if (!std::exchange(*listed, true) && device_)
      device = device::AtapiDevice::CopyOfList(*device_);
    if (!device) device = services_.createDevice(system_);
    if (!device) throw std::runtime_error("The drives could not be listed.");
    return device;
  });
  followStepping_ = !continuous;
  thread_->Post([live = live_.get()] { live->Start(); },
                [this](const std::string& error) {
                  // Without its drive list the follow cannot begin; the window works as ever.
                  if (!error.empty()) {
                    followStepping_ = false;
                    return;
                  }
                  if (followContinuous_) {
                    PostFollowStep();
                  } else {
                    FollowStepDone({});
                  }
                });
}

void MainWindowModel::DeviceMessage(std::vector<platform::DriveNotice> notices) {
  if (live_ && !notices.empty()) live_->Wake(std::move(notices));
}

void MainWindowModel::FollowStep() {
  if (!live_ || followContinuous_ || followStepping_) return;
  followStepping_ = true;
  PostFollowStep();
}

void MainWindowModel::PostFollowStep() {
  if (!thread_ || phase_ == WindowPhase::Closing || phase_ == WindowPhase::Closed) return;
  auto news = std::make_shared<std::vector<LiveNews>>();
  thread_->Post([live = live_.get(), news] { *news = live->Step(); },
                [this, news](const std::string&) {
                  FollowStepDone(*news);
                  if (followContinuous_) PostFollowStep();
                });
}

void MainWindowModel::FollowStepDone(const std::vector<LiveNews>& news) {
  for (const LiveNews& item : news) TakeNews(item);
  if (!followStepping_) return;
  followStepping_ = false;
  if (pending_ == 0) view_->DeviceWorkEnded();
}

void MainWindowModel::TakeNews(const LiveNews& news) {
  using live::EventKind;
  if (news.kind == EventKind::DriveAdded || news.kind == EventKind::DriveRemoved) {
    RescanDrives();
    return;
  }
  if (news.root != SelectedRoot()) return;
  if (news.kind == EventKind::Ready && news.newDisc) {
    DiscReadyInSelection();
  } else if ((news.kind == EventKind::Ejected || news.kind == EventKind::TrayOpen) &&
             phase_ == WindowPhase::Idle && pending_ == 0) {
    // The report no longer tells what the drive holds; a query already under way ends with
    // the lines it shows for a missing disc.
    followUpQuery_ = false;
    ClearReport();
    AppendReportLine(kDiscEjectedText);
  }
}

void MainWindowModel::DiscReadyInSelection() {
  if (!autoQuery_ || !queryAllowed_) return;
  if (phase_ == WindowPhase::Idle && pending_ == 0) {
    StartQuery();
  } else {
    // However many discs come while the window works, one query follows.
    followUpQuery_ = true;
  }
}

void MainWindowModel::CatchUp() {
  if (phase_ != WindowPhase::Idle || pending_ > 0) return;
  if (rescanPending_) {
    RescanDrives();
  } else if (followUpQuery_ && autoQuery_ && queryAllowed_ && device_) {
    StartQuery();
  }
}

void MainWindowModel::SetAutoQuery(bool on) {
  autoQuery_ = on;
  if (!on) followUpQuery_ = false;
  settings::OSInfo::WriteRegString(system_, settings::kProgramKey, kAutoQueryValue, on ? "1" : "0");
}

std::string MainWindowModel::SelectedRoot() const {
  const int index = DriveIndexOfLine(selectedLine_);
  if (!device_ || index < 0 || index >= device_->GetDriveCount()) return {};
  const device::DriveEntry* entry = device_->GetDriveEntry(static_cast<unsigned>(index));
  return entry == nullptr ? std::string() : std::string(text::TextOf(entry->RootPath));
}

void MainWindowModel::RescanDrives() {
  if (!device_) return;
  if (phase_ != WindowPhase::Idle || pending_ > 0) {
    rescanPending_ = true;
    return;
  }
  rescanPending_ = false;
  auto fresh = std::make_shared<std::unique_ptr<device::AtapiDevice>>();
  Post(
      WindowPhase::DeviceWork, [this, fresh] { *fresh = services_.createDevice(system_); },
      [this, fresh](const std::string& error) {
        if (error.empty() && *fresh) DrivesRescanned(std::move(*fresh));
      });
}

// The new list replaces the old one; the selection stays on its drive when the drive is still
// there.
void MainWindowModel::DrivesRescanned(std::unique_ptr<device::AtapiDevice> fresh) {
  const std::string selected = SelectedRoot();
  std::string removedText;
  if (!selected.empty()) {
    const device::DriveEntry* entry =
        device_->GetDriveEntry(static_cast<unsigned>(DriveIndexOfLine(selectedLine_)));
    removedText = text::FormatC(kDriveRemovedText, selected.c_str(),
                                text::TrimTrailingBlanks(text::TextOf(entry->Vendor)).c_str(),
                                text::TrimTrailingBlanks(text::TextOf(entry->Product)).c_str());
  }
  device_ = std::move(fresh);
  device_->SetStopRequest([stop = abandonQuery_] { return stop->load(); });
  ShowDriveList();

  int line = -1;
  for (int l = 0; l < static_cast<int>(driveLines_.size()); ++l) {
    const int index = DriveIndexOfLine(l);
    if (text::TextOf(device_->GetDriveEntry(static_cast<unsigned>(index))->RootPath) == selected) {
      line = l;
    }
  }
  const bool kept = line >= 0;
  if (!kept && !selected.empty()) {
    followUpQuery_ = false;
    ClearReport();
    AppendReportLine(removedText);
  }
  if (driveLines_.empty()) {
    selectedLine_ = -1;
    queryAllowed_ = false;
    AppendReportLine(kNoDriveLeftText);
    ShowInputState();
    return;
  }
  queryAllowed_ = true;
  if (!kept) line = 0;
  selectedLine_ = line;
  view_->SelectDriveLine(line);
  const int index = DriveIndexOfLine(line);
  Post(
      WindowPhase::DeviceWork, [this, index] { device_->SelectDrive(index); },
      [this, kept](const std::string&) {
        // Another drive is another set of features.
        if (!kept) RefreshAbilities();
      });
}

void MainWindowModel::ShowDriveList() {
  driveIndexOfLine_.fill(-1);
  driveLines_.clear();
  for (int j = 0; j < device_->GetDriveCount() && driveLines_.size() < kMaxDriveLines; ++j) {
    const device::DriveEntry* entry = device_->GetDriveEntry(static_cast<unsigned>(j));
    if (entry == nullptr || !ListsDrive(*entry)) continue;
    driveIndexOfLine_[driveLines_.size()] = j;
    driveLines_.push_back(DisplayLine(DriveComboLine(*entry)));
  }
  view_->ShowDriveLines(driveLines_);
}

}  // namespace app::model
