// `quillrate-cli watch`: follows the drives and their discs and prints each change as it
// comes, with the disc's report once a new disc is ready.
#include <memory>
#include <optional>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/report_text.h"
#include "cli/session.h"
#include "cli/watch_lines.h"
#include "custom/customization_block.h"
#include "custom/user_media_file.h"
#include "live/drive_watcher.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "media/report_json.h"
#include "platform/quiet_drive_events.h"
#include "platform/stop_signal.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

struct Options {
  int drive = -1;
  bool json = false;
  bool once = false;
};

int RunWatch(Session& session, const Options& options) {
  platform::InstallStopHandlers();
  platform::System& system = session.System();
  if (const auto& problem = session.DeviceProblem()) throw Session::DeviceUnusable{*problem};

  std::optional<std::string> onlyRoot;
  if (options.drive >= 0) {
    int status = kExitOk;
    const auto chosen = ChooseDrive(session, options.drive, status);
    if (!chosen) return status;
    onlyRoot = std::string(
        text::TextOf(session.Device().GetDriveEntry(static_cast<unsigned>(*chosen))->RootPath));
  }

  std::unique_ptr<platform::DriveEvents> events = system.OpenDriveEvents({});
  if (!events) events = platform::QuietDriveEvents();
  if (const std::string problem = events->Problem(); !problem.empty()) {
    session.err << "quillrate-cli: " << problem << '\n';
  }

  custom::UserMediaRows userRows;
  custom::LoadUserMediaFile(system, userRows);
  const custom::CustomizationBlockView block = custom::ProgramBlock();
  const auto blockCd = block.CdRows();
  const auto blockDvd = block.DvdRows();
  const media::ManufacturerSources sources{userRows.cd, userRows.dvd, blockCd, blockDvd};

  media::MediaReport report;
  live::WatcherOptions watch;
  watch.onlyRoot = onlyRoot;
  watch.openDevice = [&system] {
    auto device = media::CreateDevice(system);
    // A query still running when the watch is told to stop ends at its next command.
    device->SetStopRequest([] { return platform::StopRequested(); });
    return device;
  };
  watch.query = [&](device::AtapiDevice& device, int index) {
    if (!device.SelectDrive(index)) return false;
    const uint32_t unansweredBefore = device.UnansweredCommands();
    media::SilentReportSink sink;
    report = media::RunMediaReport(device, sources, sink);
    return device.UnansweredCommands() == unansweredBefore && !platform::StopRequested();
  };
  watch.output = [&](const live::WatchEvent& event) {
    const media::MediaReport* withReport = event.withReport ? &report : nullptr;
    if (options.once) {
      if (!withReport || event.entry == nullptr) return true;
      if (options.json) {
        PrintJson(session.out, media::ReportJson(*event.entry, event.index, report));
      } else {
        PrintReportText(session.out, *event.entry, event.index, report);
      }
      session.out.flush();
      return false;
    }
    // Each line is written whole and at once, so a stop never leaves half of one.
    const std::string line = options.json
                                 ? text::EscapeJsonControls(WatchJson(event, withReport).dump())
                                 : WatchTextLine(event, withReport);
    session.out << line + '\n';
    session.out.flush();
    return static_cast<bool>(session.out);
  };

  live::DriveWatcher watcher(system, *events, std::move(watch));
  if (watcher.Start()) {
    if (watcher.DriveCount() == 0 && !platform::StopRequested()) {
      session.err << "quillrate-cli: no drive yet; waiting for one to be plugged in\n";
    }
    while (!platform::StopRequested() && watcher.Step()) {
    }
  }
  return kExitOk;
}

}  // namespace

Command AddWatchCommand(CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "watch",
      "Follow the drives and their discs: one line per change (tray opened or closed, disc "
      "inserted, ready or ejected, drive plugged in or removed, busy writing, not answering) "
      "with the disc's kind and manufacturer once it is ready. Only TEST UNIT READY is sent on "
      "its own, and only when the system tells of a change (or every 2 seconds to a drive the "
      "system does not watch); a drive is never ejected, locked or spun up. Ends on Ctrl+C or "
      "SIGTERM with status 0");
  AddDriveOption(*parser, options->drive)
      ->description("Follow only the drive of this index in the drive list (default: every drive)");
  parser->add_flag("--json", options->json,
                   "One JSON object per line: time (seconds), drive, device, event (tray_open, "
                   "tray_closed, disc_inserted, ready, ejected, drive_added, drive_removed, busy, "
                   "not_answering), state, and report (as report --json) once a disc is ready");
  parser->add_flag("--once", options->once,
                   "Wait for the next disc to become ready, print its report (as report does, or "
                   "report --json with --json) and end");
  return {parser, [options](Session& session) { return RunWatch(session, *options); }};
}

}  // namespace cli
