// What the windows ask of the program's UI-free layers: the edition's texts and flags, the
// device with its classified drive list, the user media rows, the query and the about text.
// The windows call these through one struct so that tests can stand in for a single piece
// (a device that cannot be created, build mode) and run everything else for real.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "device/atapi_device.h"
#include "media/media_report.h"
#include "platform/system.h"

class QWidget;

namespace app {

// The main window's two lists of user media rows (UserCdRows, UserDvdRows).
class UserMediaLists;

struct EditionTexts {
  std::string programName;
  std::string majorVersion;
  std::string minorVersion;
  std::string revision;
  std::string step1;
  std::string step2;
  std::string step3;
};

struct ProgramServices {
  std::function<bool()> isBuildMode;
  // Runs the builder window modally, owned by `owner`.
  std::function<void(QWidget* owner)> runBuilder;
  std::function<EditionTexts()> edition;
  std::function<std::string()> aboutText;
  // Throws (or returns null) when the device cannot be created.
  std::function<std::unique_ptr<device::AtapiDevice>(platform::System&)> createDevice;
  std::function<void(platform::System&, UserMediaLists&)> loadUserMediaFile;
  // The hidden add/remove button after its dialog: `chosen` is none when it was cancelled.
  // `showMessage` shows the information box at the point where the button shows it. Returns
  // why the chosen file was refused (nothing written, nothing shown), or nothing.
  std::function<std::string(platform::System&, const std::optional<std::string>& chosen,
                            UserMediaLists&,
                            const std::function<void(const std::string&)>& showMessage)>
      addOrRemoveUserFile;
  // The whole query, line by line into the sink; the result has the lines and what the
  // query learnt.
  std::function<media::MediaReport(device::AtapiDevice&, const UserMediaLists&, media::ReportSink&)>
      runQuery;
};

// The program's own wiring.
ProgramServices DefaultServices();

UserMediaLists* CreateUserMediaLists();
void DestroyUserMediaLists(UserMediaLists* lists);
size_t UserCdRowCount(const UserMediaLists& lists);
size_t UserDvdRowCount(const UserMediaLists& lists);

struct UserMediaListsDeleter {
  void operator()(UserMediaLists* lists) const { DestroyUserMediaLists(lists); }
};
using UserMediaListsPtr = std::unique_ptr<UserMediaLists, UserMediaListsDeleter>;

}  // namespace app
