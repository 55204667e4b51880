#include "cli/session.h"

#include <ostream>
#include "media/drive_kind.h"
#include "platform/single_device_system.h"

namespace cli {

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

device::AtapiDevice& Session::Device() {
  if (!device_) device_ = media::CreateDevice(System());
  return *device_;
}

}  // namespace cli
