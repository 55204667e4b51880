// The layouts' fonts on this system: a family that the layouts name, or the nearest one
// installed (as the Qt program picks them), at a height in pixels.
#pragma once

#include "platform/windows_api.h"

namespace win32ui {

struct FontChoice {
  const wchar_t* family;
  int pixelSize;
  bool bold = false;
  bool underline = false;
};

// Made once per choice and kept for the program's life.
HFONT SkinFont(const FontChoice& choice);

}  // namespace win32ui
