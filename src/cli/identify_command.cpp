// `quillrate-cli identify`: classifies a drive and its disc and prints what the disc
// carries, without asking the drive for its speeds (it changes no drive setting).
#include <memory>
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
#include "media/report_json.h"
#include "text/text_encoding.h"

namespace cli {

Command AddIdentifyCommand(CLI::App& app) {
  auto options = std::make_shared<DriveOptions>();
  CLI::App* parser =
      app.add_subcommand("identify",
                         "Classify a drive and its disc and print the disc's identifiers, with the "
                         "manufacturer from the built-in tables; no drive setting is changed");
  AddDriveAndJsonOptions(*parser, *options, "Print the result as JSON");
  return {parser, [options](Session& session) {
            int exit = kExitOk;
            const auto query = QueryMediaReport(session, options->drive, media::QueryOptions{false},
                                                "the identification", exit);
            if (!query) return exit;
            const int answered = query->stoppedAnswering ? kExitNoAnswer : kExitOk;
            if (options->json) {
              const device::DriveEntry& entry =
                  *session.Device().GetDriveEntry(static_cast<unsigned>(query->index));
              PrintJson(session.out, media::ReportJson(entry, query->index, query->answer));
              return answered;
            }
            session.out << DriveHeading(session, query->index) << '\n';
            for (const std::string& line : query->answer.lines) {
              session.out << text::VisibleText(line) << '\n';
            }
            return answered;
          }};
}

}  // namespace cli
