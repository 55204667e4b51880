#include "cli/command.h"

#include <CLI/CLI.hpp>

namespace cli {

void AddOnOffArgument(CLI::App& command, std::string& state) {
  command.add_option("STATE", state, "on or off")->required()->check(CLI::IsMember({"on", "off"}));
}

}  // namespace cli
