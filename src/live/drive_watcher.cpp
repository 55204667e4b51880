#include "live/drive_watcher.h"

#include <algorithm>

#include "text/fixed_text.h"

namespace live {
namespace {

// A drive that reports unit attention this often in a row is taken as not answering.
constexpr int kMostUnitAttentions = 4;

bool HoldsDisc(DriveState state) {
  return state == DriveState::Loading || state == DriveState::Ready || state == DriveState::Busy;
}

}  // namespace

DriveWatcher::DriveWatcher(platform::System& system, platform::DriveEvents& events,
                           WatcherOptions options)
    : system_(system), events_(events), options_(std::move(options)) {}

bool DriveWatcher::Wanted(const std::string& root) const {
  return !options_.onlyRoot || *options_.onlyRoot == root;
}

int DriveWatcher::IndexOf(const std::string& root) const {
  if (!device_) return -1;
  for (int i = 0; i < device_->GetDriveCount(); ++i) {
    if (text::TextOf(device_->GetDriveEntry(static_cast<unsigned>(i))->RootPath) == root) {
      return i;
    }
  }
  return -1;
}

DriveWatcher::Tracked* DriveWatcher::Find(const std::string& root) {
  for (Tracked& drive : drives_) {
    if (drive.root == root) return &drive;
  }
  return nullptr;
}

std::vector<std::string> DriveWatcher::ListedRoots() {
  std::vector<std::string> roots;
  if (const auto all = system_.LogicalDriveRoots()) {
    for (const std::string& root : *all) {
      if (system_.GetDriveType(root) == platform::DriveType::Cdrom) roots.push_back(root);
    }
  }
  return roots;
}

bool DriveWatcher::Start() {
  starting_ = true;
  roots_ = ListedRoots();
  device_ = options_.openDevice();
  const uint64_t now = events_.NowMs();
  if (!events_.TellsHotPlug()) rootPollDue_ = now + kRootPollMs;
  for (int i = 0; i < device_->GetDriveCount(); ++i) {
    const std::string root(
        text::TextOf(device_->GetDriveEntry(static_cast<unsigned>(i))->RootPath));
    if (!Wanted(root) || Find(root) != nullptr) continue;
    Tracked drive;
    drive.root = root;
    drive.index = i;
    drive.systemWatches = events_.SystemWatches(root);
    drives_.push_back(drive);
    if (!Check(drives_.back(), true)) return false;
  }
  starting_ = false;
  return true;
}

uint64_t DriveWatcher::Due(const Tracked& drive) const {
  return std::min(drive.pollDue, drive.noticeDue);
}

bool DriveWatcher::Step() {
  uint64_t now = events_.NowMs();
  uint64_t due = std::min(hotPlugDue_, rootPollDue_);
  for (const Tracked& drive : drives_) due = std::min(due, Due(drive));
  const uint64_t wait = due == kNever ? kIdleWaitMs : (due > now ? due - now : 0);
  const auto notices = events_.Wait(static_cast<uint32_t>(std::min(wait, options_.longestWaitMs)));
  now = events_.NowMs();
  for (const platform::DriveNotice& notice : notices) Notice(notice, now);

  if (rootPollDue_ <= now) {
    rootPollDue_ = now + kRootPollMs;
    if (ListedRoots() != roots_) hotPlugDue_ = now;
  }
  if (hotPlugDue_ <= now) {
    hotPlugDue_ = kNever;
    if (ListedRoots() != roots_ && !Rescan()) return false;
  }
  // Each drive whose question is due is asked once; a drive added meanwhile waits its turn.
  std::vector<std::string> dueRoots;
  for (const Tracked& drive : drives_) {
    if (Due(drive) <= now) dueRoots.push_back(drive.root);
  }
  for (const std::string& root : dueRoots) {
    if (Tracked* drive = Find(root); drive != nullptr && !Check(*drive, false)) return false;
  }
  return true;
}

void DriveWatcher::Notice(const platform::DriveNotice& notice, uint64_t now) {
  using Kind = platform::DriveNoticeKind;
  if (notice.kind == Kind::DriveAdded || notice.kind == Kind::DriveRemoved) {
    hotPlugDue_ = std::min(hotPlugDue_, now + kHotPlugSettleMs);
    return;
  }
  // A notice for a drive not followed (another drive, or one not listed) changes nothing here.
  Tracked* drive = Find(notice.root);
  if (drive == nullptr) return;
  if (drive->burstStart == kNever) drive->burstStart = now;
  drive->noticeDue = std::min(now + kSettleMs, drive->burstStart + kLongestSettleMs);
}

bool DriveWatcher::Check(Tracked& drive, bool added) {
  drive.noticeDue = drive.burstStart = kNever;
  drive.pollDue = kNever;
  drive.index = IndexOf(drive.root);
  std::optional<DriveState> state;
  bool newDisc = false;
  if (drive.index < 0 || !device_->SelectDrive(drive.index)) {
    state = DriveState::NotAnswering;
  } else {
    device_->ForgetAnswers();
    for (int i = 0; i < kMostUnitAttentions && !state; ++i) {
      const uint32_t unansweredBefore = device_->UnansweredCommands();
      const bool good = device_->TestUnitReady();
      const bool answered = device_->UnansweredCommands() == unansweredBefore;
      state = StateFromTestUnitReady(answered, good, device_->LastSense());
      if (!state) newDisc = true;
    }
    if (!state) state = DriveState::NotAnswering;
  }
  return Change(drive, *state, newDisc, added);
}

bool DriveWatcher::Change(Tracked& drive, DriveState after, bool newDisc, bool added) {
  const DriveState before = drive.state;
  const uint64_t now = events_.NowMs();
  std::vector<EventKind> events = added ? std::vector<EventKind>{EventKind::DriveAdded}
                                        : EventsOfChange(before, after, newDisc);
  // A disc that comes out, is changed or written to is queried again once it is ready; the
  // discs in the drives when the watch begins are told as they are.
  // A disc found where there was none is new even when the drive reported no change (a unit
  // attention taken by another program's command).
  if (!HoldsDisc(after) || !HoldsDisc(before) || newDisc || after == DriveState::Busy ||
      (before == DriveState::NotAnswering && !added)) {
    drive.queried = false;
  }
  if (starting_) drive.queried = true;
  if (after != DriveState::Loading) {
    drive.loadingSince = kNever;
  } else if (before != DriveState::Loading || newDisc || added) {
    drive.loadingSince = now;
  }
  drive.state = after;
  if (after != DriveState::Ready) drive.readyPending = false;

  bool readyNews = false;
  for (EventKind kind : events) {
    if (kind == EventKind::Ready) {
      readyNews = true;
    } else if (!Emit(drive, kind)) {
      return false;
    }
  }
  // The drives listed at the start are told as they are; a drive plugged in later with a disc
  // ready has its disc queried like a disc put in.
  if (after == DriveState::Ready && !drive.queried) {
    if (!RunQuery(drive, readyNews)) return false;
  } else if (readyNews && !Emit(drive, EventKind::Ready)) {
    return false;
  }
  Schedule(drive, events_.NowMs());
  return true;
}

bool DriveWatcher::RunQuery(Tracked& drive, bool readyNews) {
  const uint64_t now = events_.NowMs();
  drive.readyPending = drive.readyPending || readyNews;
  if (drive.lastQuery != kNever && now < drive.lastQuery + kQueryGapMs) {
    // Queried a moment ago: the disc is queried, and told as ready, once its time has come if
    // it is still there.
    return true;
  }
  drive.lastQuery = now;
  const bool complete = options_.query(*device_, drive.index);
  drive.queried = complete;
  const bool tell = drive.readyPending;
  drive.readyPending = false;
  if (!complete) {
    // The drive went away or stopped answering during the query: ask it again at once.
    drive.noticeDue = events_.NowMs();
    return tell ? Emit(drive, EventKind::Ready) : true;
  }
  return Emit(drive, EventKind::Ready, true);
}

void DriveWatcher::Schedule(Tracked& drive, uint64_t now) {
  uint64_t due = kNever;
  if (drive.state == DriveState::Loading && drive.loadingSince != kNever &&
      now < drive.loadingSince + kLongestLoadingMs) {
    due = now + kLoadingPollMs;
  } else if (drive.state == DriveState::Busy) {
    due = now + kBusyPollMs;
  } else if (!drive.systemWatches) {
    due = now + kPollMs;
  }
  if (drive.state == DriveState::Ready && !drive.queried && drive.lastQuery != kNever) {
    due = std::min(due, std::max(now, drive.lastQuery + kQueryGapMs));
  }
  drive.pollDue = std::min(drive.pollDue, due);
}

bool DriveWatcher::Emit(const Tracked& drive, EventKind kind, bool withReport) {
  WatchEvent event;
  event.timeMs = events_.NowMs();
  event.index = drive.index;
  event.root = drive.root;
  event.kind = kind;
  event.state = drive.state;
  if (kind != EventKind::DriveRemoved && drive.index >= 0 && device_) {
    event.entry = device_->GetDriveEntry(static_cast<unsigned>(drive.index));
  }
  event.withReport = withReport;
  return options_.output(event);
}

bool DriveWatcher::Rescan() {
  roots_ = ListedRoots();
  auto fresh = options_.openDevice();
  std::vector<std::string> listed;
  for (int i = 0; i < fresh->GetDriveCount(); ++i) {
    listed.emplace_back(text::TextOf(fresh->GetDriveEntry(static_cast<unsigned>(i))->RootPath));
  }
  for (auto it = drives_.begin(); it != drives_.end();) {
    if (std::find(listed.begin(), listed.end(), it->root) != listed.end()) {
      ++it;
      continue;
    }
    const Tracked gone = *it;
    it = drives_.erase(it);
    Tracked told = gone;
    told.state = DriveState::NotAnswering;
    if (!Emit(told, EventKind::DriveRemoved)) return false;
  }
  device_ = std::move(fresh);
  for (Tracked& drive : drives_) drive.index = IndexOf(drive.root);
  for (const std::string& root : listed) {
    if (!Wanted(root) || Find(root) != nullptr) continue;
    Tracked drive;
    drive.root = root;
    drive.systemWatches = events_.SystemWatches(root);
    drive.lastQuery = kNever;
    drives_.push_back(drive);
    if (!Check(drives_.back(), true)) return false;
  }
  return true;
}

}  // namespace live
