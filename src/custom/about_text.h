// The about dialog's text, composed from the block's fields.
#pragma once

#include <string>

#include "custom/customization_block.h"

namespace custom {

std::string ComposeAboutText(const CustomizationBlockView& block);

}  // namespace custom
