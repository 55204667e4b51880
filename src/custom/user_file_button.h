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

struct UserFileButtonResult {
  bool added = false;
  bool settingWritten = false;  // the registry write succeeded (the button does not tell)
  UserMediaFileResult loaded;   // adding: how reading the registered file went
};

// `chosen` is the dialog's file name, or none when it was cancelled. `showMessage` gets the
// message text at the point where the window shows its message box: after the registry
// write, before the reload (add) or after the lists were cleared (remove).
UserFileButtonResult AddOrRemoveUserFile(
    platform::System& system, const std::optional<std::string>& chosen, UserMediaRows& rows,
    const std::function<void(const std::string&)>& showMessage);

}  // namespace custom
