// What status and fits share: the chosen drive asked for its disc's status, once, with the
// drive's usual waits and the note when it stops answering.
#pragma once

#include <optional>
#include <string>

#include "media/disc_status.h"

namespace cli {

class Session;

struct DiscStatusQuery {
  int index = -1;
  media::DiscStatus status;
  bool stoppedAnswering = false;
};

// Chooses the drive (--drive, or the first writer) and reads the status; none, with the exit
// status set and the reason told, when no drive can be used.
std::optional<DiscStatusQuery> QueryDiscStatus(Session& session, int requestedDrive, int& exit);

// "Drive 2: VEXO DVD-RW DX-1620D", the line before the status.
std::string DriveHeading(Session& session, int index);

}  // namespace cli
