// What the main window asks of the program's UI-free layers: the edition's texts and flags,
// the device with its classified drive list, the user media rows, the query and the about
// text. The model calls them through one struct so that tests can stand in for one piece (a
// device that cannot be created, build mode, a scripted query) and run the rest for real.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/system.h"

namespace custom {
struct UserMediaRows;
}
namespace device {
class AtapiDevice;
}
namespace media {
class ReportSink;
struct MediaReport;
}  // namespace media

namespace app::model {

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
  std::function<EditionTexts()> edition;
  std::function<std::string()> aboutText;
  // Throws (or returns null) when the device cannot be created.
  std::function<std::unique_ptr<device::AtapiDevice>(platform::System&)> createDevice;
  std::function<void(platform::System&, custom::UserMediaRows&)> loadUserMediaFile;
  // The hidden add/remove button after its dialog: `chosen` is none when it was cancelled.
  // `showMessage` shows the information box at the point where the button shows it. Returns
  // why the chosen file was refused (nothing written, nothing shown), or nothing.
  std::function<std::string(platform::System&, const std::optional<std::string>& chosen,
                            custom::UserMediaRows&,
                            const std::function<void(const std::string&)>& showMessage)>
      addOrRemoveUserFile;
  // The whole query, line by line into the sink; the result has the lines and what the
  // query learnt.
  std::function<media::MediaReport(device::AtapiDevice&, const custom::UserMediaRows&,
                                   media::ReportSink&)>
      runQuery;
};

// The program's own wiring.
ProgramServices DefaultServices();

}  // namespace app::model
