#include <memory>
#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/build_command.h"
#include "cli/command.h"
#include "cli/session.h"
#include "custom/build_mode_copy.h"

namespace cli {

Command AddBuildModeCommand(CLI::App& app) {
  struct Options {
    std::string state;
    std::string exe;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parser = app.add_subcommand(
      "build-mode",
      "Write a copy of EXE whose build-mode flag is set (on: the copy opens the builder) or "
      "cleared (off); EXE itself is never changed");
  AddOnOffArgument(*parser, options->state);
  parser->add_option("EXE", options->exe, "The executable to copy")->required();
  parser
      ->add_option("--output", options->output,
                   "The copy's path (default: EXE with the suffix .build-mode-on or "
                   ".build-mode-off)")
      ->option_text("FILE");
  return {parser, [options](Session& session) {
            const bool on = options->state == "on";
            const std::string output =
                options->output.empty() ? options->exe + (on ? ".build-mode-on" : ".build-mode-off")
                                        : options->output;
            return ReportBuildOutcome(custom::WriteBuildModeCopy(options->exe, on, output),
                                      session.out, session.err);
          }};
}

}  // namespace cli
