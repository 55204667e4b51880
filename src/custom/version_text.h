// What `--version` prints, for both programs.
#pragma once

#include <string>
#include <string_view>

#include "custom/customization_block.h"

namespace custom {

// "<program> <version>\n" with the project's version; when the block is an edition's (its
// name or version differs from the shipped ones), a second line
// "edition: <name> <major>.<minor>.<revision>\n" in visible UTF-8.
std::string VersionText(std::string_view program, const CustomizationBlockView& block);

}  // namespace custom
