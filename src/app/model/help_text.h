// The main window's help (F1): what each control does and where the manual and the terminal
// companion are. Both views show it in the about box's frame.
#pragma once

#include <string>

namespace app::model {

inline constexpr const char* kHelpCaption = "Quill-Rate Help";
std::string HelpText();

}  // namespace app::model
