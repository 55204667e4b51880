#include "cli/media_file_command.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <variant>
#include <vector>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "custom/media_row_match.h"
#include "custom/user_file_button.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/hex_text.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

using custom::UserMediaFileStatus;
using text::TextOf;
using text::TextToUtf8;
using text::VisibleText;

std::string Where(const custom::UserMediaLinePosition& position) {
  if (position.part > 1) return text::FormatC("line %zu (part %zu)", position.line, position.part);
  return text::FormatC("line %zu", position.line);
}

// A CD row is taken whatever its keys hold; one that does not read as a number matches no disc.
std::string CdKeyNote(const custom::CdMediaEntry& row) {
  if (!custom::ReadCdKey(row.LeadInKey)) return "the lead-in key is not a decimal number";
  if (!custom::ReadCdKey(row.LeadOutKey)) return "the lead-out key is not a decimal number";
  return {};
}

nlohmann::ordered_json PositionJson(const custom::UserMediaLinePosition& position) {
  return {{"line", position.line}, {"part", position.part}};
}

// "quillrate-cli: PATH: REASON" for a file that could not be read; the exit status for it.
int ReportFileProblem(const custom::UserMediaFileResult& result, const std::string& path,
                      std::ostream& err) {
  if (result.status == UserMediaFileStatus::Read) return kExitOk;
  err << "quillrate-cli: " << path << ": " << result.reason << '\n';
  return kExitNoFile;
}

}  // namespace

void PrintUserMediaFileCheck(const custom::UserMediaFileCheck& check, bool json,
                             std::ostream& out) {
  const size_t unlistedRows = check.TakenRows() - check.taken.size();
  const size_t unlistedSkipped = check.skippedLines - check.skipped.size();
  if (json) {
    nlohmann::ordered_json taken = nlohmann::ordered_json::array();
    for (const auto& entry : check.taken) {
      nlohmann::ordered_json row = PositionJson(entry.position);
      if (entry.line.kind == custom::UserMediaLineKind::CdRow) {
        const auto& cd = entry.line.cd;
        row["section"] = "CD";
        row["lead_in_key"] = TextToUtf8(TextOf(cd.LeadInKey));
        row["lead_out_key"] = TextToUtf8(TextOf(cd.LeadOutKey));
        row["text"] = TextToUtf8(custom::DisplayTextOf(cd));
        row["note"] = CdKeyNote(cd);
      } else {
        row["section"] = "DVD";
        row["media_id"] = text::HexBytes(entry.line.dvd.MediaIdKey, "");
        row["text"] = TextToUtf8(custom::DisplayTextOf(entry.line.dvd));
      }
      taken.push_back(row);
    }
    nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
    for (const auto& entry : check.skipped) {
      nlohmann::ordered_json line = PositionJson(entry.position);
      line["reason"] = custom::SkipReasonText(entry.line);
      line["text"] = TextToUtf8(entry.line.text);
      skipped.push_back(line);
    }
    PrintJson(out, nlohmann::ordered_json{{"cd_rows", check.cdRows},
                                          {"dvd_rows", check.dvdRows},
                                          {"skipped_lines", check.skippedLines},
                                          {"taken", taken},
                                          {"taken_not_listed", unlistedRows},
                                          {"skipped", skipped},
                                          {"skipped_not_listed", unlistedSkipped}});
    return;
  }
  for (const auto& entry : check.taken) {
    out << Where(entry.position) << ": ";
    if (entry.line.kind == custom::UserMediaLineKind::CdRow) {
      const auto& cd = entry.line.cd;
      out << "CD row, lead-in " << VisibleText(TextOf(cd.LeadInKey)) << ", lead-out "
          << VisibleText(TextOf(cd.LeadOutKey)) << ", text \""
          << VisibleText(custom::DisplayTextOf(cd)) << "\"";
      const std::string note = CdKeyNote(cd);
      if (!note.empty()) out << " (" << note << ": it matches no disc)";
    } else {
      out << "DVD row, media ID " << text::HexBytes(entry.line.dvd.MediaIdKey, "") << ", text \""
          << VisibleText(custom::DisplayTextOf(entry.line.dvd)) << "\"";
    }
    out << '\n';
  }
  if (unlistedRows > 0) out << "... and " << unlistedRows << " more rows, not listed\n";
  for (const auto& entry : check.skipped) {
    out << Where(entry.position) << ": skipped, " << custom::SkipReasonText(entry.line) << ": "
        << VisibleText(entry.line.text) << '\n';
  }
  if (unlistedSkipped > 0) {
    out << "... and " << unlistedSkipped << " more skipped lines, not listed\n";
  }
  out << text::FormatC("%zu CD rows, %zu DVD rows taken; %zu lines skipped", check.cdRows,
                       check.dvdRows, check.skippedLines)
      << '\n';
}

namespace {

// `media-file check`: the rows the file gives and the lines skipped; status 1 when a line was.
int CheckMediaFile(Session& session, const std::string& path, bool json) {
  const auto result = custom::CheckUserMediaFile(path);
  const int problem = ReportFileProblem({result.status, result.reason}, path, session.err);
  if (problem != kExitOk) return problem;
  PrintUserMediaFileCheck(result, json, session.out);
  return result.skippedLines == 0 ? kExitOk : kExitFailure;
}

// The full path of the file `media-file use` registers, or the exit status why it is not:
// the open-file dialog only returns a file that exists, and a file without a single row would
// be registered for nothing.
std::variant<std::string, int> FileToUse(Session& session, const std::string& given) {
  std::error_code error;
  const auto path = std::filesystem::absolute(given, error);
  const auto checked = custom::CheckUserMediaFile(path.string());
  if (const int problem = ReportFileProblem({checked.status, checked.reason}, given, session.err);
      problem != kExitOk) {
    return problem;
  }
  if (checked.TakenRows() == 0) {
    session.err << "quillrate-cli: " << given << ": no usable CD or DVD row ("
                << checked.skippedLines << (checked.skippedLines == 1 ? " line" : " lines")
                << " skipped; \"media-file check\" says why); not registered\n";
    return int{kExitFailure};
  }
  return path.string();
}

// Registers `chosen` (or unregisters the file, when none) as the add/remove button does, and
// prints the button's message only once the setting is known to be written.
int RegisterMediaFile(Session& session, const std::optional<std::string>& chosen) {
  custom::UserMediaRows rows;
  std::vector<std::string> messages;
  const auto result =
      custom::AddOrRemoveUserFile(session.System(), chosen, rows,
                                  [&](const std::string& message) { messages.push_back(message); });
  if (result.pathTooLong) {
    session.err << "quillrate-cli: " << custom::UserFilePathTooLongText(*chosen) << '\n';
    return kExitFailure;
  }
  if (!result.settingWritten) {
    const std::string why = session.System().Settings().WriteFailure();
    session.err << "quillrate-cli: the setting could not be written"
                << (why.empty() ? "" : ": " + why) << '\n';
    return kExitFailure;
  }
  for (const std::string& message : messages) session.out << message << '\n';
  if (session.choice.simulate) {
    session.err << "quillrate-cli: a simulated machine keeps no settings: the change "
                   "lasts for this run only. To try a media file on it, use "
                   "\"report --media-file FILE\".\n";
  }
  if (!result.added) return kExitOk;
  if (const int problem = ReportFileProblem(result.loaded, *chosen, session.err);
      problem != kExitOk) {
    return problem;
  }
  session.out << text::FormatC("%zu CD rows, %zu DVD rows loaded", rows.cd.size(), rows.dvd.size())
              << '\n';
  return kExitOk;
}

}  // namespace

Command AddMediaFileCommand(CLI::App& app) {
  struct Options {
    std::string checkPath;
    std::string usePath;
    bool json = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser =
      app.add_subcommand("media-file", "Check, register or unregister the user media file");
  parser->require_subcommand(1);
  CLI::App* check = parser->add_subcommand(
      "check", "List the rows a media file gives and every line the loader skips, with why");
  check->add_option("FILE", options->checkPath, "The media file")->required();
  check->add_flag("--json", options->json, "Print the result as JSON");
  CLI::App* use = parser->add_subcommand(
      "use",
      "Register FILE as the user media file and load it (the add/remove button); a file "
      "without a usable row is not registered (exit status 1)");
  use->add_option("FILE", options->usePath, "The media file; it must exist")->required();
  CLI::App* remove = parser->add_subcommand(
      "remove", "Unregister the user media file (the add/remove button, dialog cancelled)");

  return {parser, [options, check, use, remove](Session& session) -> int {
            if (check->parsed()) return CheckMediaFile(session, options->checkPath, options->json);
            if (use->parsed()) {
              const auto chosen = FileToUse(session, options->usePath);
              if (const int* status = std::get_if<int>(&chosen)) return *status;
              return RegisterMediaFile(session, std::get<std::string>(chosen));
            }
            if (remove->parsed()) return RegisterMediaFile(session, std::nullopt);
            return kExitUsage;
          }};
}

}  // namespace cli
