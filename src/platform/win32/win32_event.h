// A manual-reset event the ASPI manager signals when it completes a request.
#pragma once

#include "platform/windows_api.h"

#include <functional>

#include "platform/system.h"

namespace platform::win32 {

class Win32Event : public Event {
 public:
  // Null handle when the system could not create one.
  Win32Event();
  ~Win32Event() override;
  Win32Event(const Win32Event&) = delete;
  Win32Event& operator=(const Win32Event&) = delete;

  bool Valid() const { return handle_ != nullptr; }
  HANDLE Handle() const { return handle_; }
  bool Wait(uint32_t milliseconds) override;

  // Runs once, on the waiting thread, when a wait sees the event signalled: the manager has
  // completed the request, and its results can be copied to where the program reads them.
  void OnSignalled(std::function<void()> run) { onSignalled_ = std::move(run); }

 private:
  HANDLE handle_ = nullptr;
  std::function<void()> onSignalled_;
};

}  // namespace platform::win32
