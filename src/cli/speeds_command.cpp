// `quillrate-cli speeds`: every write speed the drive offers for the inserted disc, from
// both of its lists, with the speed it picks and the disc's rating against its offer.
#include <memory>
#include <optional>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/drive_query.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "media/media_report.h"
#include "media/speed_table.h"
#include "media/speed_table_output.h"
#include "media/speed_verdict.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {

Command AddSpeedsCommand(CLI::App& app) {
  auto options = std::make_shared<DriveOptions>();
  CLI::App* parser = app.add_subcommand(
      "speeds",
      "List every write speed the drive offers for the disc (GET PERFORMANCE and the "
      "capabilities page merged, fastest first) in kB/s and as a multiple of 1x, mark the one "
      "it picks and the answers that cannot be trusted, and compare the drive's highest offer "
      "with the speed the disc is rated for. Like report, the drive is asked for its highest "
      "speeds and left there. Exit status 1 when there is no disc");
  AddDriveAndJsonOptions(*parser, *options,
                         "Print the table as JSON: speeds (kbps, x, rotation, source, picked, "
                         "flags), flags, rated and verdict");
  return {
      parser, [options](Session& session) {
        int exit = kExitOk;
        media::QueryOptions speedQuery;
        speedQuery.speedTable = true;
        const auto query =
            QueryMediaReport(session, options->drive, speedQuery, "the speed query", exit);
        if (!query) return exit;
        const int index = query->index;
        const media::MediaReport& report = query->answer;
        const int answered = query->stoppedAnswering ? kExitNoAnswer : kExitOk;
        if (report.discKind == media::DiscKind::None) {
          session.err << "quillrate-cli: drive " << index << " has no disc\n";
          return answered == kExitOk ? int{kExitNoDisc} : answered;
        }
        const std::optional<uint32_t> picked = report.hasSpeed && report.speedKbps != 0
                                                   ? std::optional(report.speedKbps)
                                                   : std::nullopt;
        const media::SpeedTable table =
            media::BuildSpeedTable(report.speedAnswers.value_or(media::SpeedAnswers{}),
                                   report.discKind, picked, report.discRating);
        const std::optional<std::string> verdict = media::SpeedVerdict(table);
        const device::DriveEntry& entry =
            *session.Device().GetDriveEntry(static_cast<unsigned>(index));
        const std::string vendor = text::TrimTrailingBlanks(text::TextOf(entry.Vendor));
        const std::string product = text::TrimTrailingBlanks(text::TextOf(entry.Product));
        const std::string revision = text::TrimTrailingBlanks(text::TextOf(entry.Revision));
        if (options->json) {
          nlohmann::ordered_json document = {{"drive",
                                              {{"index", index},
                                               {"vendor", text::TextToUtf8(vendor)},
                                               {"product", text::TextToUtf8(product)},
                                               {"revision", text::TextToUtf8(revision)}}}};
          document.update(media::SpeedTableJson(report.discKind, table, verdict));
          PrintJson(session.out, document);
          return answered;
        }
        session.out << text::VisibleText(text::FormatC("Drive %d: %s %s %s", index, vendor.c_str(),
                                                       product.c_str(), revision.c_str()))
                    << '\n';
        for (const std::string& line : media::SpeedTableLines(report.discKind, table, verdict))
          session.out << text::VisibleText(line) << '\n';
        return answered;
      }};
}

}  // namespace cli
