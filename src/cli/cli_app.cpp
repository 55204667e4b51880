#include "cli/cli_app.h"

#include <ostream>
#include <stdexcept>

#include <CLI/CLI.hpp>

#include "cli/drives_command.h"
#include "cli/exit_codes.h"
#include "cli/stream_message_sink.h"
#include "device/atapi_device.h"
#include "platform/platform_choice.h"

namespace cli {
namespace {

constexpr const char* kFooter =
    "Exit status: 0 success; 1 the command failed; 2 bad command line; 3 the simulated "
    "machine could not be loaded; 4 no drive found.";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Quillrate: checks a recordable disc in an optical drive before a burn.",
               "quillrate-cli"};
  app.footer(kFooter);
  app.require_subcommand(1);

  std::string simulate;
  auto* simulateOption =
      app.add_option("--simulate", simulate,
                     "Use a simulated machine instead of the real drives: without PATH the "
                     "demonstration machine built into the program, with PATH a fixture file")
          ->expected(0, 1)
          ->option_text("[=PATH]");

  bool json = false;
  auto* drives = app.add_subcommand("drives", "List the optical drives found, in address order");
  drives->add_flag("--json", json, "Print the list as JSON");

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return kExitOk;
  } catch (const CLI::ParseError& e) {
    err << "quillrate-cli: " << e.what() << "\nRun with --help for usage.\n";
    return kExitUsage;
  }

  platform::PlatformChoice choice;
  if (simulateOption->count() > 0) choice.simulate = simulate;
  StreamMessageSink messages(err);
  std::unique_ptr<platform::System> system;
  try {
    system = platform::CreateSystem(choice, messages);
  } catch (const std::exception& e) {
    err << "quillrate-cli: " << e.what() << '\n';
    return kExitFixture;
  }

  device::AtapiDevice device(*system, {});
  if (drives->parsed()) {
    PrintDrives(device, json, out);
    return device.GetDriveCount() > 0 ? kExitOk : kExitNoDrive;
  }
  return kExitUsage;
}

}  // namespace cli
