// `quillrate-cli fits FILE|SIZE`: whether an image file, or a size, fits in the free space of
// the disc in the drive.
#include <cctype>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/drive_choice.h"
#include "cli/drive_query.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "media/disc_size.h"
#include "media/disc_status_json.h"
#include "media/disc_status_text.h"
#include "platform/files/input_file.h"

namespace cli {
namespace {

struct Needed {
  uint64_t blocks = 0;
  int exit = kExitOk;  // not ok: `error` says why
  std::string error;
};

// A path that names something is a file, anything else a size. The file is only looked at,
// never read: its size is what the disc must hold, and a named pipe or a folder is refused
// before it is opened, so nothing waits for a writer.
Needed NeededBlocks(const std::string& argument) {
  Needed needed;
  std::error_code error;
  const bool named = std::filesystem::symlink_status(argument, error).type() !=
                     std::filesystem::file_type::not_found;
  if (named && !error) {
    const platform::InputFile file(argument);
    if (!file.IsOpen()) {
      needed.exit = kExitNoFile;
      needed.error = argument + ": " + file.Problem().reason;
      return needed;
    }
    needed.blocks = media::BlocksForBytes(file.Size());
    return needed;
  }
  const media::SizeParse size = media::ParseSize(argument);
  if (size.ok) {
    needed.blocks = size.blocks;
    return needed;
  }
  const bool looksLikeSize =
      !argument.empty() &&
      (std::isdigit(static_cast<unsigned char>(argument[0])) != 0 || argument[0] == '.');
  if (looksLikeSize) {
    needed.exit = kExitUsage;
    needed.error = size.error;
  } else {
    needed.exit = kExitNoFile;
    needed.error =
        argument + ": no such file, and not a size (such as 700M, 4.7G, 4482MiB or 2295104s)";
  }
  return needed;
}

}  // namespace

Command AddFitsCommand(CLI::App& app) {
  struct Options : DriveOptions {
    std::string what;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "fits",
      "Say whether a file (an image) or a size fits in the free space of the disc, and by how "
      "much it fits or how much is missing. A size is a number with a unit: 700M, 4.7G (M, G and "
      "T are powers of 1000, as disc makers count), 4482MiB (KiB, MiB, GiB, TiB: powers of 1024) "
      "or 2295104s (2048-byte sectors); an existing path is a file");
  parser
      ->add_option("FILE_OR_SIZE", options->what,
                   "The image file, or a size such as 700M, 4.7G, 4482MiB or 2295104s")
      ->required();
  AddDriveAndJsonOptions(*parser, *options,
                         "Print the answer as JSON: fits, free_blocks, needed_blocks");
  return {parser, [options](Session& session) {
            const Needed needed = NeededBlocks(options->what);
            if (needed.exit != kExitOk) {
              session.err << "quillrate-cli: " << needed.error << '\n';
              return needed.exit;
            }
            int exit = kExitOk;
            const auto query = QueryDiscStatus(session, options->drive, exit);
            if (!query) return exit;
            const media::DiscStatus& status = query->answer;
            const bool finished = status.state == media::DiscState::Complete;
            std::optional<media::Fit> fit;
            if (status.freeBlocks && !finished)
              fit = media::FitIn(needed.blocks, *status.freeBlocks);

            if (options->json) {
              nlohmann::ordered_json json{{"drive", query->index}};
              json["fits"] = fit        ? nlohmann::ordered_json(fit->fits)
                             : finished ? nlohmann::ordered_json(false)
                                        : nlohmann::ordered_json(nullptr);
              json["free_blocks"] = status.freeBlocks ? nlohmann::ordered_json(*status.freeBlocks)
                                                      : nlohmann::ordered_json(nullptr);
              json["needed_blocks"] = needed.blocks;
              json["disc_status"] = media::DiscStatusJson(status)["disc_status"];
              json["text"] = fit ? nlohmann::ordered_json(media::FitText(*fit))
                                 : nlohmann::ordered_json(nullptr);
              PrintJson(session.out, json);
            } else {
              session.out << DriveHeading(session, query->index) << '\n';
              for (const std::string& line : media::DiscStatusLines(status)) {
                session.out << line << '\n';
              }
              if (fit) session.out << media::FitText(*fit) << '\n';
            }
            if (query->stoppedAnswering) return int{kExitNoAnswer};
            if (!status.disc) {
              session.err << "quillrate-cli: drive " << query->index << " holds no disc\n";
              return int{kExitNoDisc};
            }
            if (finished) {
              session.err << "quillrate-cli: the disc in drive " << query->index
                          << " is finished (closed): nothing more can be written\n";
              return int{kExitFinished};
            }
            if (!fit) {
              session.err << "quillrate-cli: how much is free on the disc in drive " << query->index
                          << ": " << media::kDriveDoesNotSay << '\n';
              return int{kExitUnknownFree};
            }
            return fit->fits ? int{kExitOk} : int{kExitFailure};
          }};
}

}  // namespace cli
