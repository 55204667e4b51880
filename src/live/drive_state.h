// What a drive holds right now, in words, as one TEST UNIT READY tells it; and the events a
// change from one state to another makes.
#pragma once

#include <optional>
#include <vector>

#include "device/sense.h"

namespace live {

enum class DriveState { NoDisc, TrayOpen, Loading, Ready, Busy, NotAnswering };

// "No disc", "Tray open", "Loading…", "Ready", "Busy (another program is writing)",
// "Not answering" (UTF-8).
const char* StateText(DriveState state);

// What one TEST UNIT READY says: `answered` false when the drive never answered (the call
// failed or timed out), `good` when it reported ready. None when the drive only says that it
// was reset or that its disc may have changed (unit attention): ask it once more.
std::optional<DriveState> StateFromTestUnitReady(bool answered, bool good,
                                                 const device::Sense& sense);

enum class EventKind {
  TrayOpen,
  TrayClosed,
  DiscInserted,
  Ready,
  Ejected,
  DriveAdded,
  DriveRemoved,
  Busy,
  NotAnswering,
};

// "tray_open", "tray_closed", ...
const char* EventName(EventKind kind);

// The events of a drive's change from `before` to `after`, in the order they happened; none
// when nothing a user would notice changed. `newDisc`: the drive said its disc had changed, so
// a drive that is ready again holds another disc.
std::vector<EventKind> EventsOfChange(DriveState before, DriveState after, bool newDisc);

}  // namespace live
