// What one run of quillrate-cli shares between its commands: the output streams, the
// chosen platform and the device, created when a command first needs them.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/stream_message_sink.h"
#include "device/atapi_device.h"
#include "platform/capture/capturing_system.h"
#include "platform/platform_choice.h"

namespace cli {

class Session {
 public:
  // `errors` takes the messages (shown visibly, see visible_lines.h); `progress` the wait
  // progress line, which moves the cursor back with a carriage return.
  Session(std::ostream& output, std::ostream& errors, std::ostream& progressLine)
      : out(output), err(errors), progress(progressLine), messages_(errors) {}

  std::ostream& out;
  std::ostream& err;
  std::ostream& progress;
  platform::PlatformChoice choice;
  // Records every command the drives answer into this fixture file, when set.
  std::optional<std::string> capturePath;
  // The only drive is the device at this path, when set.
  std::optional<std::string> devicePath;
  // The error stream is a terminal: a wait for a drive shows how long it has lasted.
  bool showProgress = false;

  // Creates the platform on first use; throws std::runtime_error when it cannot.
  platform::System& System();
  // Creates the device (and so enumerates the drives) on first use.
  device::AtapiDevice& Device();
  // Writes the recording, when one was asked for; false (with a message) when it fails.
  bool FinishCapture();

 private:
  StreamMessageSink messages_;
  std::unique_ptr<platform::System> system_;
  platform::CapturingSystem* capturing_ = nullptr;
  std::unique_ptr<device::AtapiDevice> device_;
};

}  // namespace cli
