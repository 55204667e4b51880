// `quillrate-cli about`: the about dialog's text, and with --json the block's fields.
#pragma once

#include <iosfwd>

#include "custom/customization_block.h"

namespace cli {

void PrintAbout(const custom::CustomizationBlockView& block, bool json, std::ostream& out);

}  // namespace cli
