// Which drive a command works on: the one named with --drive N (its index in the drive
// list), or else the first drive that writes, as the window's drive list would show it.
#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

class Session;

// The options of a command that works on one drive and can print JSON.
struct DriveOptions {
  int drive = -1;  // --drive N; -1: the first writer
  bool json = false;
};

// Adds --drive to a subcommand; the option, for the rules that tie other options to it.
CLI::Option* AddDriveOption(CLI::App& command, int& drive);
// Adds --drive, then --json described by `jsonHelp`.
void AddDriveAndJsonOptions(CLI::App& command, DriveOptions& options, const std::string& jsonHelp);

// Selects the drive and returns its index; on failure explains on stderr, sets `status`
// and returns none.
std::optional<int> ChooseDrive(Session& session, int requested, int& status);

// "Drive 2: VEXO DVD-RW DX-1620D", the line before what a command prints about the drive.
std::string DriveHeading(Session& session, int index);

}  // namespace cli
