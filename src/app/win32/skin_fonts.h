// The look's fonts on this system: a family that the layouts name, or the first of its
// stand-ins that is installed, at a height in pixels.
#pragma once

#include "app/look/fonts.h"
#include "platform/windows_api.h"

namespace win32ui {

using app::look::FontChoice;

// Made once per choice and kept for the program's life.
HFONT SkinFont(const FontChoice& choice);

}  // namespace win32ui
