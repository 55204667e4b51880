#include "cli/about_command.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/json_output.h"
#include "cli/session.h"
#include "custom/about_text.h"
#include "custom/window_caption.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

using text::TextToUtf8;

// The rows a reader would consult: the CD table ends at its first empty lead-in key; the
// DVD table has no end mark, so the rows that are not all zero.
size_t UsedCdRows(const std::vector<custom::CdMediaEntry>& rows) {
  return static_cast<size_t>(std::find_if(rows.begin(), rows.end(),
                                          [](const auto& row) { return row.LeadInKey[0] == 0; }) -
                             rows.begin());
}

size_t FilledDvdRows(const std::vector<custom::DvdMediaEntry>& rows) {
  return static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [](const auto& row) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&row);
    return std::any_of(bytes, bytes + sizeof row, [](uint8_t b) { return b != 0; });
  }));
}

}  // namespace

void PrintAbout(const custom::CustomizationBlockView& block, bool json, std::ostream& out) {
  const std::string about = custom::ComposeAboutText(block);
  if (!json) {
    const std::string text = text::VisibleText(about, text::LineBreaks::Kept);
    out << text;
    if (text.empty() || text.back() != '\n') out << '\n';
    return;
  }
  const char flag = block.BuildModeFlag();
  nlohmann::ordered_json steps = nlohmann::ordered_json::array();
  for (int step = 1; step <= 3; ++step) steps.push_back(TextToUtf8(block.StepText(step)));
  const nlohmann::ordered_json fields{{"marker", TextToUtf8(block.Marker())},
                                      {"build_mode_text", TextToUtf8(block.BuildModeText())},
                                      {"program_name", TextToUtf8(block.ProgramName())},
                                      {"release_date", TextToUtf8(block.ReleaseDate())},
                                      {"major_version", TextToUtf8(block.MajorVersion())},
                                      {"minor_version", TextToUtf8(block.MinorVersion())},
                                      {"revision", TextToUtf8(block.Revision())},
                                      {"drive_models", TextToUtf8(block.DriveModels())},
                                      {"remark", TextToUtf8(block.Remark())},
                                      {"step_texts", steps},
                                      {"cd_rows_used", UsedCdRows(block.CdRows())},
                                      {"dvd_rows_filled", FilledDvdRows(block.DvdRows())}};
  const nlohmann::ordered_json result{{"text", TextToUtf8(about)},
                                      {"caption", TextToUtf8(custom::WindowCaption(block))},
                                      {"build_mode_flag", TextToUtf8(std::string(1, flag))},
                                      {"build_mode", block.IsBuildMode()},
                                      {"block", fields},
                                      {"license", "GPL-3.0-or-later"}};
  PrintJson(out, result);
}

Command AddAboutCommand(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App* parser = app.add_subcommand(
      "about",
      "Show the about text: release date, version, drive models and remark (the licence, "
      "GPL-3.0-or-later, is in --version and in the JSON)");
  parser->add_flag("--json", *json,
                   "Print the text with the customization block's fields and its build-mode "
                   "flag, as read at run time");
  return {parser, [json](Session& session) {
            PrintAbout(custom::ProgramBlock(), *json, session.out);
            return kExitOk;
          }};
}

}  // namespace cli
