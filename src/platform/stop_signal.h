// A request to stop, from the terminal (Ctrl+C, SIGINT, SIGTERM; on Windows also closing the
// console) or from the program itself. Waits that may last end as soon as it comes.
#pragma once

#include <cstdint>

namespace platform {

// From now on the terminal's stop requests set the request instead of ending the program.
void InstallStopHandlers();
bool StopRequested();
void RequestStop();
// Sleeps up to `milliseconds`; true when it ended because a stop was requested.
bool SleepUnlessStopped(uint32_t milliseconds);
#ifndef _WIN32
// A descriptor that becomes readable once a stop is requested, for waits on other
// descriptors too.
int StopDescriptor();
#endif

}  // namespace platform
