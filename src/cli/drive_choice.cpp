#include "cli/drive_choice.h"

#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/exit_codes.h"
#include "cli/session.h"
#include "media/drive_kind.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

int FirstWriter(device::AtapiDevice& device) {
  for (int i = 0; i < device.GetDriveCount(); ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    if (e != nullptr && media::IsWriter(*e)) return i;
  }
  return -1;
}

}  // namespace

CLI::Option* AddDriveOption(CLI::App& command, int& drive) {
  // A drive's index is a number from 0 as "drives" lists it: nothing else is taken for one.
  const CLI::Validator driveIndex(
      [](std::string& text) -> std::string {
        const bool digits = !text.empty() && text.size() <= 9 &&
                            text.find_first_not_of("0123456789") == std::string::npos;
        if (digits) return {};
        return "\"" + text +
               "\" is not a drive index: give the number that \"drives\" lists "
               "for the drive (0, 1, ...)";
      },
      "INDEX");
  return command
      .add_option("--drive", drive,
                  "The drive's index in the drive list (default: the first writer)")
      ->check(driveIndex);
}

void AddDriveAndJsonOptions(CLI::App& command, DriveOptions& options, const std::string& jsonHelp) {
  AddDriveOption(command, options.drive);
  command.add_flag("--json", options.json, jsonHelp);
}

std::optional<int> ChooseDrive(Session& session, int requested, int& status) {
  device::AtapiDevice& device = session.Device();
  int index = requested;
  if (index < 0) {
    index = FirstWriter(device);
  } else {
    // The drives before it are identified first: a drive the system refuses leaves the list,
    // and the index counts as "drives" lists them.
    for (int i = 0; i <= index && i < device.GetDriveCount(); ++i) device.IdentifyDrive(i);
  }
  // Checked after identification: drives the system refuses every command have left the list.
  const int count = device.GetDriveCount();
  if (count <= 0) {
    status = session.ReportNoDrive();
    return std::nullopt;
  }
  if (index < 0) {
    session.err << "quillrate-cli: no drive that writes was found; choose a drive with --drive N "
                   "(see the list of \"drives\")\n";
    status = kExitNoDrive;
    return std::nullopt;
  }
  if (index >= count) {
    session.err << "quillrate-cli: there is no drive " << index << "; the list has " << count
                << (count == 1 ? " drive" : " drives") << " (0 to " << count - 1 << ")\n";
    status = kExitNoDrive;
    return std::nullopt;
  }
  if (!device.SelectDrive(index)) {
    session.err << "quillrate-cli: drive " << index << " cannot be opened\n";
    status = kExitFailure;
    return std::nullopt;
  }
  return index;
}

std::string DriveHeading(Session& session, int index) {
  const device::DriveEntry& entry = *session.Device().GetDriveEntry(static_cast<unsigned>(index));
  return text::VisibleText(text::FormatC(
      "Drive %d: %s %s", index, text::TrimTrailingBlanks(text::TextOf(entry.Vendor)).c_str(),
      text::TrimTrailingBlanks(text::TextOf(entry.Product)).c_str()));
}

}  // namespace cli
