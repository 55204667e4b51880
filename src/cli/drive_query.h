// What the commands that ask one drive about its disc share: the chosen drive asked once,
// with the drive's usual waits and the note when it stops answering. status and fits read the
// disc's status; identify and speeds run the query `report` runs, without printing as it goes.
#pragma once

#include <optional>

#include "media/disc_status.h"
#include "media/media_report.h"

namespace cli {

class Session;

template <typename Answer>
struct DriveQuery {
  int index = -1;
  Answer answer;
  bool stoppedAnswering = false;
};

// Each chooses the drive (--drive, or the first writer) and asks it; none, with the exit
// status set and the reason told, when no drive can be used.
std::optional<DriveQuery<media::DiscStatus>> QueryDiscStatus(Session& session, int requestedDrive,
                                                             int& exit);
// `what` names the query in the note ("the identification").
std::optional<DriveQuery<media::MediaReport>> QueryMediaReport(Session& session, int requestedDrive,
                                                               const media::QueryOptions& options,
                                                               const char* what, int& exit);

}  // namespace cli
