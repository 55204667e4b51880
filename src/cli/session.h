// What one run of quillrate-cli shares between its commands: the output streams, the
// chosen platform and the device, created when a command first needs them.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/stream_message_sink.h"
#include "device/atapi_device.h"
#include "platform/capture/capturing_system.h"
#include "platform/platform_choice.h"

namespace cli {

// The exit status of a device that cannot be used: 9 when it exists but cannot be opened, 4
// when it is no drive at all.
int DeviceProblemStatus(const platform::DriveProblem& problem);

// The exit status when no drive was found: 9 when the system has drives that could not be
// opened, 4 when it has none.
int NoDriveStatus(const std::vector<platform::DriveProblem>& problems);

// How to see the program at work without a drive.
inline constexpr const char* kDemoHintText =
    "To try Quillrate without a drive, run it on the simulated demo machine: "
    "quillrate-cli --simulate report --all (the window: quillrate --simulate)";

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
  // Thrown by Device() when the device given with --device cannot be used as a drive.
  struct DeviceUnusable {
    platform::DriveProblem problem;
  };
  // Why the device given with --device cannot be used (missing, not an optical drive, no
  // permission), asked of the system once; none without --device or when it can be used.
  const std::optional<platform::DriveProblem>& DeviceProblem();
  // Creates the device (and so enumerates the drives) on first use; throws DeviceUnusable.
  device::AtapiDevice& Device();
  // The device path the drive list shows for the drive given with --device: the path as
  // given on the real system where roots are only short keys for it; none otherwise.
  std::optional<std::string> ListedDevicePath() const;
  // Says on `err` that no drive can be used, and returns the exit status: the devices that
  // could not be opened with their reasons, or "No drive detected !" and, on the real
  // system, how to try the program on the simulated demo machine.
  int ReportNoDrive();
  // Writes the recording, when one was asked for; false (with a message) when it fails.
  bool FinishCapture();

 private:
  StreamMessageSink messages_;
  std::unique_ptr<platform::System> system_;
  platform::CapturingSystem* capturing_ = nullptr;
  std::unique_ptr<device::AtapiDevice> device_;
  bool deviceChecked_ = false;
  std::optional<platform::DriveProblem> deviceProblem_;
};

}  // namespace cli
