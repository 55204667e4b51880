// A manual page made from a program's own CLI11 command line, with the sections that only a
// person can write (what the program is for, files, environment) taken from a roff file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

namespace docgen {

struct ManSection {
  std::string name;  // as after ".SH"
  std::string body;  // roff
};

// Splits hand-written roff at its ".SH" lines; comment lines before the first are dropped.
std::vector<ManSection> ParseManSections(std::string_view roff);

// NAME, SYNOPSIS, DESCRIPTION (the program's description, then the hand-written one),
// OPTIONS, COMMANDS (every command and its options, nested commands by their path), EXIT
// STATUS (the help footer, when there is one), then the other hand-written sections in order.
// Every option, command, argument and text is what --help shows.
std::string ManPage(const CLI::App& app, std::string_view version,
                    const std::vector<ManSection>& handWritten);

}  // namespace docgen
