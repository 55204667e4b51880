#include "custom/user_file_button.h"

#include "settings/os_info.h"

namespace custom {

std::string UserFilePathTooLongText(const std::string& path) {
  return "The path of the user-defined file is too long to be kept (" +
         std::to_string(path.size()) + " bytes; at most " + std::to_string(kLongestUserFilePath) +
         "):\n" + path;
}

UserFileButtonResult AddOrRemoveUserFile(
    platform::System& system, const std::optional<std::string>& chosen, UserMediaRows& rows,
    const std::function<void(const std::string&)>& showMessage) {
  UserFileButtonResult result;
  if (chosen && chosen->size() > kLongestUserFilePath) {
    result.pathTooLong = true;
    return result;
  }
  if (chosen && !chosen->empty()) {
    result.added = true;
    result.settingWritten = settings::OSInfo::WriteRegString(system, settings::kProgramKey,
                                                             kUserFileValueName, *chosen);
    showMessage(kUserFileAddedText);
    result.loaded = LoadUserMediaFile(system, rows);
    return result;
  }
  result.settingWritten =
      settings::OSInfo::WriteRegString(system, settings::kProgramKey, kUserFileValueName, "");
  rows.Clear();
  showMessage(kUserFileRemovedText);
  return result;
}

}  // namespace custom
