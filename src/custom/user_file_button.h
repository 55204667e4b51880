// What the hidden add/remove button does once its open-file dialog has closed: a chosen file
// is registered and loaded; a cancelled dialog (or an empty name) unregisters the file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "custom/user_media_file.h"
#include "platform/system.h"

namespace custom {

inline constexpr const char* kUserFileAddedText = "User-defined file added !";
inline constexpr const char* kUserFileRemovedText = "User-defined file removed !";

// The registry holds the path in 256 bytes, its terminating NUL included.
inline constexpr size_t kLongestUserFilePath = 255;

struct UserFileButtonResult {
  // The chosen path does not fit the setting: nothing was written and nothing shown.
  bool pathTooLong = false;
  bool added = false;
  bool settingWritten = false;  // the registry write succeeded (the button does not tell)
  UserMediaFileResult loaded;   // adding: how reading the registered file went
};

// Why a chosen path is not registered: too long for the setting.
std::string UserFilePathTooLongText(const std::string& path);

// `chosen` is the dialog's file name, or none when it was cancelled. A path longer than the
// setting holds is refused before anything is written: stored, it could never be read back.
// `showMessage` gets the message text at the point where the window shows its message box: after
// the registry write, before the reload (add) or after the lists were cleared (remove).
UserFileButtonResult AddOrRemoveUserFile(
    platform::System& system, const std::optional<std::string>& chosen, UserMediaRows& rows,
    const std::function<void(const std::string&)>& showMessage);

}  // namespace custom
