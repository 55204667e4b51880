// The machine's timeline: each entry changes a drive when the virtual clock reaches it, and
// the system gives its notice as a kernel or a device message would.
#include <limits>

#include "platform/sim/sim_system.h"

namespace sim {

void SimSystem::ScheduleTimeline() {
  for (const TimelineEntry& entry : machine_.timeline) {
    for (int n = 0; n < entry.repeat; ++n) {
      clock_.Schedule(entry.atNs + static_cast<uint64_t>(n) * entry.everyNs,
                      [this, &entry] { Happen(entry); });
    }
  }
}

void SimSystem::Happen(const TimelineEntry& entry) {
  using Kind = TimelineEntry::Kind;
  using platform::DriveNoticeKind;
  SimDrive& drive = *drives_[entry.drive];
  Drive& model = drive.Model();
  const uint64_t now = clock_.NowNs();
  std::vector<DriveNoticeKind> told{DriveNoticeKind::MediaChanged};
  switch (entry.kind) {
    case Kind::TrayOpen:
      model.trayOpen = true;
      // The button asks for the eject first; the tray's opening changes the medium.
      told.insert(told.begin(), DriveNoticeKind::EjectRequest);
      break;
    case Kind::TrayClosed:
      model.trayOpen = false;
      if (model.disc) drive.TellMediumChanged();
      break;
    case Kind::DiscInserted:
      model.disc = entry.disc;
      model.trayOpen = false;
      model.becomingReadySeconds = entry.neverReady
                                       ? std::numeric_limits<double>::infinity()
                                       : static_cast<double>(now + entry.readyAfterNs) / 1e9;
      drive.TellMediumChanged();
      break;
    case Kind::DiscRemoved:
      model.disc.reset();
      break;
    case Kind::DriveAdded:
      model.plugged = true;
      told = {DriveNoticeKind::DriveAdded};
      break;
    case Kind::DriveRemoved:
      model.plugged = false;
      told = {DriveNoticeKind::DriveRemoved};
      break;
    case Kind::Busy:
      model.busyUntilNs = now + entry.forNs;
      break;
    case Kind::MediaChange:
      break;
  }
  if (!machine_.driveEvents) return;
  const bool hotPlug = entry.kind == Kind::DriveAdded || entry.kind == Kind::DriveRemoved;
  if (!hotPlug && !model.systemWatches) return;
  for (DriveNoticeKind kind : told) notices_.push_back({kind, model.root});
}

int SimSystem::DriveIndexOf(const std::string& root) const {
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (drives_[i]->Model().root == root) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace sim
