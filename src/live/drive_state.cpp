#include "live/drive_state.h"

namespace live {
namespace {

constexpr uint8_t kNotReady = 0x02;
constexpr uint8_t kUnitAttention = 0x06;
constexpr uint8_t kAscNotReady = 0x04;
constexpr uint8_t kAscNoMedium = 0x3A;
constexpr uint8_t kAscqTrayOpen = 0x02;
// Logical unit not ready: operation in progress, long write in progress.
constexpr uint8_t kAscqOperationInProgress = 0x07;
constexpr uint8_t kAscqLongWrite = 0x08;

bool HoldsDisc(DriveState state) {
  return state == DriveState::Loading || state == DriveState::Ready || state == DriveState::Busy;
}

}  // namespace

const char* StateText(DriveState state) {
  switch (state) {
    case DriveState::NoDisc:
      return "No disc";
    case DriveState::TrayOpen:
      return "Tray open";
    case DriveState::Loading:
      return "Loading\xE2\x80\xA6";
    case DriveState::Ready:
      return "Ready";
    case DriveState::Busy:
      return "Busy (another program is writing)";
    case DriveState::NotAnswering:
      return "Not answering";
  }
  return "Not answering";
}

std::optional<DriveState> StateFromTestUnitReady(bool answered, bool good,
                                                 const device::Sense& sense) {
  if (!answered) return DriveState::NotAnswering;
  if (good) return DriveState::Ready;
  if (sense.key == kUnitAttention) return std::nullopt;
  if (sense.key == kNotReady && sense.asc == kAscNoMedium) {
    return sense.ascq == kAscqTrayOpen ? DriveState::TrayOpen : DriveState::NoDisc;
  }
  if (sense.key == kNotReady && sense.asc == kAscNotReady) {
    if (sense.ascq == kAscqOperationInProgress || sense.ascq == kAscqLongWrite) {
      return DriveState::Busy;
    }
    return DriveState::Loading;
  }
  // Any other complaint (a hardware error, a command the drive refuses, sense it could not
  // give): nothing can be asked of it now.
  return DriveState::NotAnswering;
}

const char* EventName(EventKind kind) {
  switch (kind) {
    case EventKind::TrayOpen:
      return "tray_open";
    case EventKind::TrayClosed:
      return "tray_closed";
    case EventKind::DiscInserted:
      return "disc_inserted";
    case EventKind::Ready:
      return "ready";
    case EventKind::Ejected:
      return "ejected";
    case EventKind::DriveAdded:
      return "drive_added";
    case EventKind::DriveRemoved:
      return "drive_removed";
    case EventKind::Busy:
      return "busy";
    case EventKind::NotAnswering:
      return "not_answering";
  }
  return "not_answering";
}

std::vector<EventKind> EventsOfChange(DriveState before, DriveState after, bool newDisc) {
  std::vector<EventKind> events;
  if (before == after && !(newDisc && HoldsDisc(after))) return events;
  if (after == DriveState::NotAnswering) return {EventKind::NotAnswering};
  if (after == DriveState::Busy) return {EventKind::Busy};
  // Once a drive answers again after a silence, what it holds is news whatever it was.
  if (before == DriveState::NotAnswering) before = DriveState::NoDisc;
  const bool hadDisc = HoldsDisc(before);
  if (hadDisc && (!HoldsDisc(after) || newDisc)) events.push_back(EventKind::Ejected);
  if (after == DriveState::TrayOpen) {
    events.push_back(EventKind::TrayOpen);
    return events;
  }
  if (before == DriveState::TrayOpen) events.push_back(EventKind::TrayClosed);
  if (HoldsDisc(after) && (!hadDisc || newDisc)) events.push_back(EventKind::DiscInserted);
  if (after == DriveState::Ready) events.push_back(EventKind::Ready);
  return events;
}

}  // namespace live
