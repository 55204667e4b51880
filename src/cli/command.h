// Each subcommand registers itself on the parser and returns what runs it once parsed.
#pragma once

#include <functional>
#include <string>

namespace CLI {
class App;
}

namespace cli {

class Session;

struct Command {
  CLI::App* parser = nullptr;
  std::function<int(Session&)> run;
};

// Adds the required argument STATE, "on" or "off", to a subcommand.
void AddOnOffArgument(CLI::App& command, std::string& state);

Command AddDrivesCommand(CLI::App& app);
Command AddFeatureCommand(CLI::App& app);
Command AddFeaturesCommand(CLI::App& app);
Command AddReportCommand(CLI::App& app);
Command AddAboutCommand(CLI::App& app);
Command AddMediaFileCommand(CLI::App& app);
Command AddIdentifyCommand(CLI::App& app);
Command AddSpeedsCommand(CLI::App& app);
Command AddBuildCommand(CLI::App& app);
Command AddBuildModeCommand(CLI::App& app);
Command AddStatusCommand(CLI::App& app);
Command AddFitsCommand(CLI::App& app);
Command AddWatchCommand(CLI::App& app);

}  // namespace cli
