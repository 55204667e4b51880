#include "cli/session.h"

#include <ostream>
#include "cli/exit_codes.h"
#include "media/drive_kind.h"
#include "platform/single_device_system.h"
#include "text/common_texts.h"

namespace cli {

int DeviceProblemStatus(const platform::DriveProblem& problem) {
  return problem.unopened ? kExitNoAccess : kExitNoDrive;
}

platform::System& Session::System() {
  if (!system_) {
    system_ = platform::CreateSystem(choice, messages_);
    if (devicePath) system_ = platform::WithOnlyDevice(std::move(system_), *devicePath);
    if (capturePath) {
      auto capturing = std::make_unique<platform::CapturingSystem>(std::move(system_));
      capturing_ = capturing.get();
      system_ = std::move(capturing);
    }
  }
  return *system_;
}

bool Session::FinishCapture() {
  if (capturing_ == nullptr) return true;
  std::string error;
  if (capturing_->WriteFixture(*capturePath, error)) return true;
  err << "quillrate-cli: " << error << '\n';
  return false;
}

int NoDriveStatus(const std::vector<platform::DriveProblem>& problems) {
  for (const auto& problem : problems) {
    if (problem.unopened) return kExitNoAccess;
  }
  return kExitNoDrive;
}

std::optional<std::string> Session::ListedDevicePath() const {
#ifdef _WIN32
  return std::nullopt;
#else
  return choice.simulate ? std::nullopt : devicePath;
#endif
}

int Session::ReportNoDrive() {
  const auto problems = System().DriveProblems();
  const int status = NoDriveStatus(problems);
  if (status == kExitNoAccess) {
    for (const auto& problem : problems) {
      if (problem.unopened)
        err << "quillrate-cli: " << problem.device << ": " << problem.reason << '\n';
    }
    return status;
  }
  err << text::kNoDriveDetectedText << "\n";
  if (!choice.simulate) err << kDemoHintText << "\n";
  return status;
}

const std::optional<platform::DriveProblem>& Session::DeviceProblem() {
  if (!deviceChecked_ && devicePath) {
    deviceChecked_ = true;
    const auto problems = System().DriveProblems();
    if (!problems.empty()) deviceProblem_ = problems.front();
  }
  return deviceProblem_;
}

device::AtapiDevice& Session::Device() {
  if (const auto& problem = DeviceProblem()) throw DeviceUnusable{*problem};
  // A command that asks one drive identifies only the drives it looks at on the way (up to the
  // first writer, or the drive given by --drive): 16 drives cost one drive's commands.
  if (!device_) device_ = media::CreateDevice(System(), true, true, media::Identify::OnDemand);
  return *device_;
}

}  // namespace cli
