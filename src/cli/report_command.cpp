// `quillrate-cli report`: the media report, exactly as the window shows it.
#include <memory>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/report_text.h"
#include "cli/session.h"
#include "custom/customization_block.h"
#include "custom/user_media_file.h"
#include "media/media_report.h"
#include "media/report_json.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

struct Options {
  int drive = -1;
  bool all = false;
  bool json = false;
  std::string mediaFile;
};

}  // namespace

Command AddReportCommand(CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "report",
      "Query the disc in a drive: kinds, identification, capacity, manufacturer and "
      "the write speed the drive selects. To measure that speed the drive is asked for its "
      "highest speeds and left there (the JSON names it: write_speed_left_at_kbps); identify "
      "changes no setting");
  CLI::Option* drive = AddDriveOption(*parser, options->drive);
  parser->add_flag("--all", options->all, "Report on every drive of the list, one after the other")
      ->excludes(drive);
  parser->add_flag("--json", options->json,
                   "Print the report as JSON: kinds, identifiers, manufacturer and its source, "
                   "speed limit, write speeds and the lines");
  parser
      ->add_option("--media-file", options->mediaFile,
                   "Look manufacturers up in this user media file for this run, instead of the "
                   "registered one (nothing is registered)")
      ->option_text("FILE");
  return {
      parser, [options](Session& session) {
        device::AtapiDevice& device = session.Device();
        std::vector<int> indices;
        int status = kExitOk;
        if (options->all) {
          device.IdentifyAllDrives();  // the list as "drives" shows it
          if (device.GetDriveCount() <= 0) return session.ReportNoDrive();
          for (int i = 0; i < device.GetDriveCount(); ++i) indices.push_back(i);
        } else {
          const auto chosen = ChooseDrive(session, options->drive, status);
          if (!chosen) return status;
          indices.push_back(*chosen);
        }

        custom::UserMediaRows userRows;
        if (options->mediaFile.empty()) {
          custom::LoadUserMediaFile(session.System(), userRows);
        } else if (const auto loaded = custom::LoadUserMediaFileFrom(options->mediaFile, userRows);
                   loaded.status != custom::UserMediaFileStatus::Read) {
          session.err << "quillrate-cli: " << options->mediaFile << ": " << loaded.reason << '\n';
          return int{kExitNoFile};
        }
        const custom::CustomizationBlockView block = custom::ProgramBlock();
        const auto blockCd = block.CdRows();
        const auto blockDvd = block.DvdRows();
        const media::ManufacturerSources sources{userRows.cd, userRows.dvd, blockCd, blockDvd};

        nlohmann::ordered_json reports = nlohmann::ordered_json::array();
        for (size_t n = 0; n < indices.size(); ++n) {
          const int index = indices[n];
          if (!device.SelectDrive(index)) {
            session.err << "quillrate-cli: drive " << index << " cannot be opened\n";
            status = kExitFailure;
            continue;
          }
          media::SilentReportSink sink;
          DriveWatch watch(session, device, index);
          const media::MediaReport report = media::RunMediaReport(device, sources, sink);
          if (watch.StoppedAnswering("the report")) status = kExitNoAnswer;
          const device::DriveEntry& entry = *device.GetDriveEntry(static_cast<unsigned>(index));
          if (options->json) {
            reports.push_back(media::ReportJson(entry, index, report));
          } else {
            if (n > 0) session.out << '\n';
            PrintReportText(session.out, entry, index, report);
          }
        }
        if (options->json) {
          PrintJson(session.out, options->all      ? nlohmann::ordered_json{{"reports", reports}}
                                 : reports.empty() ? nlohmann::ordered_json::object()
                                                   : reports[0]);
        }
        return status;
      }};
}

}  // namespace cli
