#include "cli/build_command.h"

#include <filesystem>
#include <memory>
#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "custom/prototype_file.h"
#include "platform/files/program_file.h"
#include "text/text_encoding.h"

namespace cli {

std::vector<std::string> DefaultPrototypePaths() {
  const std::string program = platform::ExecutableName("quillrate");
  const std::string self = platform::RunningProgramFile();
  if (self.empty()) return {program};
  // Installed, the window program stands beside the terminal tool; in the build tree it is
  // built in the folder beside this one.
  const auto folder = std::filesystem::path(self).parent_path();
  return {(folder / program).string(),
          (folder.parent_path() / "app" / program).lexically_normal().string()};
}

int ReportBuildOutcome(const custom::BuildOutcome& outcome, std::ostream& out, std::ostream& err) {
  using custom::BuildStatus;
  if (outcome.Succeeded()) {
    out << outcome.text << '\n' << text::VisibleText(outcome.outputPath) << '\n';
    return kExitOk;
  }
  err << outcome.caption << ": " << outcome.text << '\n';
  if (!outcome.detail.empty()) err << outcome.detail << '\n';
  switch (outcome.status) {
    case BuildStatus::Created:
      return kExitOk;
    case BuildStatus::NoFileSelected:
      return kExitUsage;
    case BuildStatus::FileNotExists:
    case BuildStatus::PropertyFileUnreadable:
    case BuildStatus::LoadPrototypeFailed:
      return kExitNoFile;
    case BuildStatus::NoBlock:
      return kExitNoBlock;
    case BuildStatus::BadHexPair:
      return kExitBadProperty;
    case BuildStatus::SaveFailed:
      return kExitFailure;
  }
  return kExitFailure;
}

Command AddBuildCommand(CLI::App& app) {
  auto request = std::make_shared<custom::BuildRequest>();
  CLI::App* parser = app.add_subcommand(
      "build",
      "Build an OEM edition: fill the customization block of a copy of the prototype from a "
      "property file and write it as Quillrate.exe");
  parser->add_option("PROPERTY_FILE", request->propertyPath, "The property file")->required();
  parser
      ->add_option("--prototype", request->prototypePath,
                   "The executable to copy (default: the quillrate program installed beside "
                   "quillrate-cli, or in the build tree)")
      ->option_text("EXE");
  parser
      ->add_option("--output-dir", request->outputDir,
                   "The folder that receives Quillrate.exe (default: the current folder)")
      ->option_text("DIR");
  return {parser, [request, parser](Session& session) {
            custom::BuildRequest run = *request;
            if (parser->count("--prototype") == 0) {
              const std::vector<std::string> tried = DefaultPrototypePaths();
              run.prototypePath.clear();
              for (const std::string& path : tried) {
                std::error_code error;
                if (std::filesystem::is_regular_file(path, error)) {
                  run.prototypePath = path;
                  break;
                }
              }
              if (run.prototypePath.empty()) {
                session.err << "quillrate-cli: no prototype to copy: the quillrate program is "
                               "not at";
                for (size_t i = 0; i < tried.size(); ++i) {
                  session.err << (i == 0 ? " " : " nor at ") << tried[i];
                }
                session.err << "; name the executable to copy with --prototype EXE\n";
                return static_cast<int>(kExitNoFile);
              }
            }
            if (parser->count("--output-dir") == 0) run.outputDir = ".";
            return ReportBuildOutcome(custom::BuildEdition(run), session.out, session.err);
          }};
}

}  // namespace cli
