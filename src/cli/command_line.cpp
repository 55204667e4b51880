#include "cli/command_line.h"

#include "custom/program_options.h"

namespace cli {
namespace {

constexpr const char* kFooter =
    "Exit status: 0 success; 1 the command failed; 2 bad command line; 3 the simulated "
    "machine could not be loaded; 4 no drive found, or no drive of that index or no "
    "writer to choose; 5 the named file does not exist or cannot be read; 8 the drive stopped "
    "answering during report, identify, status, fits, speeds, features or feature (the lines show "
    "what failed "
    "commands give); 9 a drive is there but cannot be opened, or the system refuses to pass it "
    "commands (no permission: the message names the device, the reason and the remedy, the "
    "group to join or, on Windows, to run the program as an administrator); 10 status, fits or "
    "speeds found no disc in the drive. An output that cannot be written (a full disk, "
    "a closed pipe) "
    "is a failure too. media-file check: 0 every data line is taken, 1 some lines are "
    "skipped. build and build-mode: 0 the file was written; 1 it could not be written; 2 no "
    "property file named; 5 the property file or the executable is missing or unreadable; 6 the "
    "executable carries no complete customization block; 7 a [DVD] line of the property file "
    "stopped the build. fits: 0 it fits; 1 it does not fit; 2 a size that cannot be read; 5 the "
    "file cannot be read or is no regular file (a folder, a named pipe); 10 no disc; 11 the disc "
    "is finished (closed); 12 the drive does not say how much is free.";

}  // namespace

CommandLine::CommandLine() : app(custom::kProgramDescription, "quillrate-cli") {
  app.footer(kFooter);
  // "/x" is a path, also on Windows, never an option.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);
  custom::AddVersionFlag(app, "quillrate-cli");
  simulateOption = custom::AddSimulateOption(app, simulate);
  deviceOption = app.add_option("--device", device,
                                "Use exactly the device at PATH as the only drive, instead of the "
                                "drives the system lists (/dev/sr0, /dev/sg1; on Windows "
                                "\\\\.\\E:, \\\\.\\CdRom0)")
                     ->option_text("PATH");
  captureOption = app.add_option("--capture", capture,
                                 "Record every command the drives answer into FILE, as a "
                                 "fixture that --simulate=FILE replays")
                      ->option_text("FILE");

  commands = {
      AddDrivesCommand(app),   AddReportCommand(app), AddFeaturesCommand(app),
      AddFeatureCommand(app),  AddAboutCommand(app),  AddMediaFileCommand(app),
      AddIdentifyCommand(app), AddStatusCommand(app), AddFitsCommand(app),
      AddSpeedsCommand(app),   AddBuildCommand(app),  AddBuildModeCommand(app),
      AddWatchCommand(app),
  };
}

}  // namespace cli
