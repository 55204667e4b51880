// The main window's caption: the edition's name and version from the block.
#pragma once

#include <string>

#include "custom/customization_block.h"

namespace custom {

// "%s v%s.%s.%s": program name, major version, minor version, revision.
std::string WindowCaption(const CustomizationBlockView& block);

}  // namespace custom
