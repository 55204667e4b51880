// What `--version` prints, for both programs.
#pragma once

#include <string>
#include <string_view>

#include "custom/customization_block.h"

namespace custom {

// The program's licence, as --version and the terminal companion's about text end with it.
inline constexpr std::string_view kLicenceText =
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// "<program> <version>\n" with the project's version; when the block is an edition's (its
// name or version differs from the shipped ones), a second line
// "edition: <name> <major>.<minor>.<revision>\n" in visible UTF-8; then kLicenceText (an
// edition is a copy of the program and under its licence).
std::string VersionText(std::string_view program, const CustomizationBlockView& block);

}  // namespace custom
