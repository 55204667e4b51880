// The window program's command line, without Qt: parsed in main() before Qt starts (so --help
// and --version need no display and open no window) and again by RunQuillrate; its manual
// page is made from the same parser at build time.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "platform/platform_choice.h"

namespace app {

struct WindowCommandLine {
  WindowCommandLine();
  WindowCommandLine(const WindowCommandLine&) = delete;
  WindowCommandLine& operator=(const WindowCommandLine&) = delete;

  CLI::App app;
  std::string simulate;
  CLI::Option* simulateOption = nullptr;
};

struct Arguments {
  platform::PlatformChoice choice;
  std::string answer;  // the text --help or --version asks for; the program prints it and ends
  std::string error;
  std::string ignored;  // the note on arguments the program does not take
};

// `arguments` without the program's name.
Arguments ParseArguments(const std::vector<std::string>& arguments);

}  // namespace app
