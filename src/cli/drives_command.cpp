#include "cli/drives_command.h"

#include <cstdio>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/session.h"

#include "device/fixed_text.h"
#include "device/text_encoding.h"

namespace cli {

using device::Cp1252ToUtf8;
using device::TextOf;

void PrintDrives(const device::AtapiDevice& device, bool json, std::ostream& out) {
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
                      {"root", Cp1252ToUtf8(TextOf(e->RootPath))},
                      {"vendor", Cp1252ToUtf8(TextOf(e->Vendor))},
                      {"product", Cp1252ToUtf8(TextOf(e->Product))},
                      {"revision", Cp1252ToUtf8(TextOf(e->Revision))},
                      {"vendor_specific", Cp1252ToUtf8(TextOf(e->VendorSpecific))},
                      {"via_aspi", e->ViaAspi},
                      {"kind", e->Kind},
                      {"kind_name", e->KindName ? Cp1252ToUtf8(e->KindName) : ""},
                      {"writes_cd_r", e->WritesCdR}});
    }
    out << nlohmann::ordered_json{{"drives", list}}.dump(2) << '\n';
    return;
  }
  if (count <= 0) {
    out << "No drive detected !\n";
    return;
  }
  for (int i = 0; i < count; ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    if (e == nullptr) continue;
    char line[160];
    std::snprintf(line, sizeof line, "%2d  %2d-%d-%d-%d  %-5s %-8s %-16s %-4s  %s", i, e->Adapter,
                  e->Bus, e->Target, e->Lun, std::string(TextOf(e->RootPath)).c_str(),
                  std::string(TextOf(e->Vendor)).c_str(), std::string(TextOf(e->Product)).c_str(),
                  std::string(TextOf(e->Revision)).c_str(), e->ViaAspi ? "ASPI" : "pass-through");
    out << Cp1252ToUtf8(line) << '\n';
  }
}

Command AddDrivesCommand(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App* parser = app.add_subcommand("drives", "List the optical drives found, in address order");
  parser->add_flag("--json", *json, "Print the list as JSON");
  return {parser, [json](Session& session) {
            device::AtapiDevice& device = session.Device();
            PrintDrives(device, *json, session.out);
            return device.GetDriveCount() > 0 ? kExitOk : kExitNoDrive;
          }};
}

}  // namespace cli
