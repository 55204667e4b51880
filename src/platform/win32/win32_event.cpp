#include "platform/win32/win32_event.h"

namespace platform::win32 {

Win32Event::Win32Event() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

Win32Event::~Win32Event() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

bool Win32Event::Wait(uint32_t milliseconds) {
  if (handle_ == nullptr || WaitForSingleObject(handle_, milliseconds) != WAIT_OBJECT_0) {
    return false;
  }
  if (onSignalled_) {
    const auto run = std::move(onSignalled_);
    onSignalled_ = nullptr;
    run();
  }
  return true;
}

}  // namespace platform::win32
