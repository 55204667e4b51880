// The whole command line of quillrate-cli: the parser with its options, every command and the
// help footer. RunCli parses with it; the manual page and the shell completion are made from
// it at build time, so they say what --help says.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/command.h"

namespace cli {

struct CommandLine {
  CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  CLI::App app;
  std::string simulate;
  std::string device;
  std::string capture;
  CLI::Option* simulateOption = nullptr;
  CLI::Option* deviceOption = nullptr;
  CLI::Option* captureOption = nullptr;
  std::vector<Command> commands;
};

}  // namespace cli
