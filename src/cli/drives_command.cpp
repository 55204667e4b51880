#include "cli/drives_command.h"

#include <algorithm>
#include <ostream>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "text/common_texts.h"

#include "platform/drive_diagnostics.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {

using text::TextOf;
using text::TextToUtf8;

void PrintDrives(const device::AtapiDevice* device, bool json, std::ostream& out,
                 const std::vector<platform::DriveProblem>& problems,
                 const std::optional<std::string>& devicePath) {
  const int count = device != nullptr ? device->GetDriveCount() : 0;
  // A device given by its path is listed under that path as given: its root is only a
  // short key for it.
  const auto rootOf = [&](const device::DriveEntry& e) {
    return devicePath ? *devicePath : std::string(TextOf(e.RootPath));
  };
  if (json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int i = 0; i < count; ++i) {
      const device::DriveEntry* e = device->GetDriveEntry(static_cast<unsigned>(i));
      if (e == nullptr) continue;
      list.push_back({{"index", i},
                      {"adapter", e->Adapter},
                      {"bus", e->Bus},
                      {"target", e->Target},
                      {"lun", e->Lun},
                      {"root", TextToUtf8(rootOf(*e))},
                      {"vendor", TextToUtf8(TextOf(e->Vendor))},
                      {"product", TextToUtf8(TextOf(e->Product))},
                      {"revision", TextToUtf8(TextOf(e->Revision))},
                      {"vendor_specific", TextToUtf8(TextOf(e->VendorSpecific))},
                      {"via_aspi", e->ViaAspi},
                      {"kind", e->Kind},
                      {"kind_name", e->KindName ? TextToUtf8(e->KindName) : ""},
                      {"writes_cd_r", e->WritesCdR}});
    }
    nlohmann::ordered_json unusable = nlohmann::ordered_json::array();
    for (const auto& p : problems) unusable.push_back({{"device", p.device}, {"reason", p.reason}});
    PrintJson(out, nlohmann::ordered_json{{"drives", list}, {"problems", unusable}});
    return;
  }
  if (count <= 0) {
    // Drives that are there but cannot be opened are not "no drive": their reasons follow.
    const bool unopened =
        std::any_of(problems.begin(), problems.end(), [](const auto& p) { return p.unopened; });
    out << (unopened ? kNoDriveOpenedText : text::kNoDriveDetectedText) << "\n";
    return;
  }
  for (int i = 0; i < count; ++i) {
    const device::DriveEntry* e = device->GetDriveEntry(static_cast<unsigned>(i));
    if (e == nullptr) continue;
    const std::string kindName = text::TrimTrailingBlanks(e->KindName ? e->KindName : "");
    const std::string line = text::FormatC(
        "%2d  %2d-%d-%d-%d  %-5s %-8s %-16s %-4s  %-12s  %-18s  %s", i, e->Adapter, e->Bus,
        e->Target, e->Lun, rootOf(*e).c_str(), std::string(TextOf(e->Vendor)).c_str(),
        std::string(TextOf(e->Product)).c_str(), std::string(TextOf(e->Revision)).c_str(),
        e->ViaAspi ? "ASPI" : "pass-through", kindName.c_str(),
        e->WritesCdR ? "writes CD-R" : "no CD-R writing");
    out << text::VisibleText(line) << '\n';
  }
}

namespace {

// A drive whose identity commands went unanswered is listed all the same, with the note.
void NoteUnansweredIdentities(const device::AtapiDevice& device, std::ostream& err) {
  for (int i = 0; i < device.GetDriveCount(); ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    if (e == nullptr || !e->IdentityUnanswered) continue;
    err << "quillrate-cli: drive " << i << " did not answer TEST UNIT READY or INQUIRY while the "
        << "list was made (the call failed below the drive): its identity is empty\n";
  }
}

}  // namespace

Command AddDrivesCommand(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App* parser =
      app.add_subcommand("drives", "List the optical drives found, in address order");
  parser->add_flag("--json", *json, "Print the list as JSON");
  return {parser, [json](Session& session) {
            // A device given with --device that cannot be used is listed as a problem, not
            // enumerated as a drive.
            if (const auto& problem = session.DeviceProblem()) {
              PrintDrives(nullptr, *json, session.out, {*problem}, session.ListedDevicePath());
              if (!*json) session.err << problem->device << ": " << problem->reason << '\n';
              return DeviceProblemStatus(*problem);
            }
            device::AtapiDevice& device = session.Device();
            device.IdentifyAllDrives();
            // Say which of the system's optical devices could not be used, and why.
            const auto problems = session.devicePath ? std::vector<platform::DriveProblem>{}
                                                     : session.System().DriveProblems();
            PrintDrives(&device, *json, session.out, problems, session.ListedDevicePath());
            if (!*json) {
              for (const auto& p : problems) session.err << p.device << ": " << p.reason << '\n';
            }
            NoteUnansweredIdentities(device, session.err);
            if (device.GetDriveCount() > 0) return int{kExitOk};
            const int status = NoDriveStatus(problems);
            if (!*json && status == kExitNoDrive && !session.choice.simulate) {
              session.err << kDemoHintText << '\n';
            }
            return status;
          }};
}

}  // namespace cli
