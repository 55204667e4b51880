#include "custom/user_file_button.h"

#include "device/os_info.h"

namespace custom {

UserFileButtonResult AddOrRemoveUserFile(
    platform::System& system, const std::optional<std::string>& chosen, UserMediaRows& rows,
    const std::function<void(const std::string&)>& showMessage) {
  UserFileButtonResult result;
  if (chosen && !chosen->empty()) {
    result.added = true;
    result.settingWritten =
        device::OSInfo::WriteRegString(system, device::kProgramKey, kUserFileValueName, *chosen);
    showMessage(kUserFileAddedText);
    result.loaded = LoadUserMediaFile(system, rows);
    return result;
  }
  result.settingWritten =
      device::OSInfo::WriteRegString(system, device::kProgramKey, kUserFileValueName, "");
  rows.Clear();
  showMessage(kUserFileRemovedText);
  return result;
}

}  // namespace custom
