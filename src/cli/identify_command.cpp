// `quillrate-cli identify`: classifies a drive and its disc and prints what the disc
// carries, without asking the drive for its speeds (it changes no drive setting).
#include <memory>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "media/media_report.h"
#include "media/report_json.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {

Command AddIdentifyCommand(CLI::App& app) {
  struct Options {
    int drive = -1;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser =
      app.add_subcommand("identify",
                         "Classify a drive and its disc and print the disc's identifiers, with the "
                         "manufacturer from the built-in tables; no drive setting is changed");
  AddDriveOption(*parser, options->drive);
  parser->add_flag("--json", options->json, "Print the result as JSON");
  return {parser, [options](Session& session) {
            int status = kExitOk;
            const auto index = ChooseDrive(session, options->drive, status);
            if (!index) return status;
            device::AtapiDevice& device = session.Device();
            media::SilentReportSink sink;
            DriveWatch watch(session, device, *index);
            const media::MediaReport report =
                media::RunMediaReport(device, {}, sink, media::QueryOptions{false});
            const int answered =
                watch.StoppedAnswering("the identification") ? kExitNoAnswer : kExitOk;
            const device::DriveEntry& entry = *device.GetDriveEntry(static_cast<unsigned>(*index));
            if (options->json) {
              PrintJson(session.out, media::ReportJson(entry, *index, report));
              return answered;
            }
            session.out << text::VisibleText(text::FormatC(
                               "Drive %d: %s %s", *index,
                               text::TrimTrailingBlanks(text::TextOf(entry.Vendor)).c_str(),
                               text::TrimTrailingBlanks(text::TextOf(entry.Product)).c_str()))
                        << '\n';
            for (const std::string& line : report.lines) {
              session.out << text::VisibleText(line) << '\n';
            }
            return answered;
          }};
}

}  // namespace cli
