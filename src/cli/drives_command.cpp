#include "cli/drives_command.h"

#include <ostream>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"

#include "device/fixed_text.h"
#include "device/format_c.h"
#include "device/text_encoding.h"
#include "platform/drive_diagnostics.h"

namespace cli {

using device::TextOf;
using device::TextToUtf8;

void PrintDrives(const device::AtapiDevice& device, bool json, std::ostream& out,
                 const std::vector<platform::DriveProblem>& problems) {
  const int count = device.GetDriveCount();
  if (json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (int i = 0; i < count; ++i) {
      const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
      if (e == nullptr) continue;
      list.push_back({{"index", i},
                      {"adapter", e->Adapter},
                      {"bus", e->Bus},
                      {"target", e->Target},
                      {"lun", e->Lun},
                      {"root", TextToUtf8(TextOf(e->RootPath))},
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
    out << device::kNoDriveDetectedText << "\n";
    return;
  }
  for (int i = 0; i < count; ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    if (e == nullptr) continue;
    const std::string kindName = device::TrimTrailingBlanks(e->KindName ? e->KindName : "");
    const std::string line = device::FormatC(
        "%2d  %2d-%d-%d-%d  %-5s %-8s %-16s %-4s  %-12s  %-18s  %s", i, e->Adapter, e->Bus,
        e->Target, e->Lun, std::string(TextOf(e->RootPath)).c_str(),
        std::string(TextOf(e->Vendor)).c_str(), std::string(TextOf(e->Product)).c_str(),
        std::string(TextOf(e->Revision)).c_str(), e->ViaAspi ? "ASPI" : "pass-through",
        kindName.c_str(), e->WritesCdR ? "writes CD-R" : "no CD-R writing");
    out << device::VisibleText(line) << '\n';
  }
}

Command AddDrivesCommand(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App* parser =
      app.add_subcommand("drives", "List the optical drives found, in address order");
  parser->add_flag("--json", *json, "Print the list as JSON");
  return {parser, [json](Session& session) {
            device::AtapiDevice& device = session.Device();
            // On the system's own list of real drives, say which could not be used and why.
            const auto problems = session.choice.simulate || session.devicePath
                                      ? std::vector<platform::DriveProblem>{}
                                      : platform::DiagnoseDrives();
            PrintDrives(device, *json, session.out, problems);
            if (!*json) {
              for (const auto& p : problems) session.err << p.device << ": " << p.reason << '\n';
            }
            return device.GetDriveCount() > 0 ? kExitOk : kExitNoDrive;
          }};
}

}  // namespace cli
