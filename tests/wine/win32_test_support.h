// What the Win32 backend tests share: the real system, with its start-up messages recorded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/native_system.h"

namespace win32_test {

struct RecordedMessages : platform::MessageSink {
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t) override {
    shown.push_back(caption + ": " + text);
  }
  std::vector<std::string> shown;
};

struct RealSystem {
  RecordedMessages messages;
  std::unique_ptr<platform::System> system = platform::CreateNativeSystem(messages);
};

}  // namespace win32_test
