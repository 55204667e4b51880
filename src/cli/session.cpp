#include "cli/session.h"

namespace cli {

platform::System& Session::System() {
  if (!system_) system_ = platform::CreateSystem(choice, messages_);
  return *system_;
}

device::AtapiDevice& Session::Device() {
  if (!device_) device_ = std::make_unique<device::AtapiDevice>(System(), device::DeviceOptions{});
  return *device_;
}

}  // namespace cli
