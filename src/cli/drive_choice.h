// Which drive a command works on: the one named with --drive N (its index in the drive
// list), or else the first drive that writes, as the window's drive list would show it.
#pragma once

#include <optional>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace cli {

class Session;

// Adds --drive to a subcommand; the option, for the rules that tie other options to it.
CLI::Option* AddDriveOption(CLI::App& command, int& drive);

// Selects the drive and returns its index; on failure explains on stderr, sets `status`
// and returns none.
std::optional<int> ChooseDrive(Session& session, int requested, int& status);

}  // namespace cli
