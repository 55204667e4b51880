#include <windows.h>

#include <atomic>

#include "platform/stop_signal.h"

namespace platform {
namespace {

std::atomic<bool> stopRequested{false};

HANDLE StopEvent() {
  static HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return event;
}

BOOL WINAPI OnConsoleEvent(DWORD type) {
  switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      RequestStop();
      // Closing the console ends the process once the handler returns: give the main loop
      // its moment to finish the line it writes.
      if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) ::Sleep(500);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void InstallStopHandlers() {
  StopEvent();
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool StopRequested() {
  return stopRequested.load();
}

void RequestStop() {
  stopRequested.store(true);
  if (HANDLE event = StopEvent()) ::SetEvent(event);
}

bool SleepUnlessStopped(uint32_t milliseconds) {
  if (StopRequested()) return true;
  HANDLE event = StopEvent();
  if (event == nullptr) {
    ::Sleep(milliseconds);
  } else {
    ::WaitForSingleObject(event, milliseconds);
  }
  return StopRequested();
}

}  // namespace platform
