#include "cli/session.h"

#include "media/drive_kind.h"

namespace cli {

platform::System& Session::System() {
  if (!system_) system_ = platform::CreateSystem(choice, messages_);
  return *system_;
}

device::AtapiDevice& Session::Device() {
  if (!device_) device_ = media::CreateDevice(System());
  return *device_;
}

}  // namespace cli
