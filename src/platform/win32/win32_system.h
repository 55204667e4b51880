// The real platform on Windows: drive letters, SCSI pass-through on \\.\X:, the ASPI manager
// library, the registry under HKEY_LOCAL_MACHINE, the performance counter.
#pragma once

#include "platform/native_system.h"

namespace platform::win32 {

// Shows the device layer's start-up messages in message boxes, as the window program does.
class MessageBoxSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) override;
};

}  // namespace platform::win32
