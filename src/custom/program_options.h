// The options both programs take, worded once: --version and --simulate[=PATH].
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace custom {

// The first line of both programs' --help.
inline constexpr const char* kProgramDescription =
    "Quillrate: checks a recordable disc in an optical drive before a burn.";

// --version: prints VersionText for `program` (and the edition's own name and version).
CLI::Option* AddVersionFlag(CLI::App& app, const std::string& program);

// --simulate[=PATH]: a simulated machine instead of the real drives.
CLI::Option* AddSimulateOption(CLI::App& app, std::string& simulate);

}  // namespace custom
