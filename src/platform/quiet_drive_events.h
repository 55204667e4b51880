// The notices of a system that gives none: waiting only passes the time, and every drive
// must be asked now and then.
#pragma once

#include <memory>

#include "platform/drive_events.h"

namespace platform {

std::unique_ptr<DriveEvents> QuietDriveEvents(std::string problem = {});

}  // namespace platform
