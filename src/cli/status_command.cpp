// `quillrate-cli status`: whether the disc is blank, appendable, finished or overwritable, and
// how much is free on it.
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
#include "media/disc_status_json.h"
#include "media/disc_status_text.h"

namespace cli {

Command AddStatusCommand(CLI::App& app) {
  auto options = std::make_shared<DriveOptions>();
  CLI::App* parser = app.add_subcommand(
      "status",
      "Say whether the disc is blank, appendable, finished (closed) or overwritable, its sessions "
      "and how much is free on it (MB are 10^6 bytes, GiB 2^30, blocks 2048 bytes); a number the "
      "drive does not give is never guessed. No drive setting is changed");
  AddDriveAndJsonOptions(*parser, *options,
                         "Print the status as JSON: disc_status, erasable, sessions, "
                         "last_session_state, free_blocks, free_bytes, recorded_blocks");
  return {parser, [options](Session& session) {
            int exit = kExitOk;
            const auto query = QueryDiscStatus(session, options->drive, exit);
            if (!query) return exit;
            const media::DiscStatus& status = query->answer;
            if (options->json) {
              nlohmann::ordered_json json{{"drive", query->index}};
              json.update(media::DiscStatusJson(status));
              json["lines"] = media::DiscStatusLines(status);
              PrintJson(session.out, json);
            } else {
              session.out << DriveHeading(session, query->index) << '\n';
              for (const std::string& line : media::DiscStatusLines(status)) {
                session.out << line << '\n';
              }
            }
            if (query->stoppedAnswering) return int{kExitNoAnswer};
            return status.disc ? int{kExitOk} : int{kExitNoDisc};
          }};
}

}  // namespace cli
