// A bash completion script made from a program's own CLI11 command line: its commands,
// nested commands, options and the values they take (files, folders, fixed choices).
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace docgen {

// For bash-completion (its _init_completion and _filedir). The function is named after the
// program (quillrate-cli: _quillrate_cli).
std::string BashCompletion(const CLI::App& app);

}  // namespace docgen
