#include "custom/program_options.h"

#include "custom/customization_block.h"
#include "custom/version_text.h"

namespace custom {

CLI::Option* AddVersionFlag(CLI::App& app, const std::string& program) {
  return app.set_version_flag(
      "--version", [program] { return VersionText(program, ProgramBlock()); },
      "Print the program's version (and an edition's own name and version) and exit");
}

CLI::Option* AddSimulateOption(CLI::App& app, std::string& simulate) {
  return app
      .add_option("--simulate", simulate,
                  "Use a simulated machine instead of the real drives: without PATH the "
                  "demonstration machine built into the program, with PATH a fixture file")
      ->expected(0, 1)
      ->option_text("[=PATH]");
}

}  // namespace custom
