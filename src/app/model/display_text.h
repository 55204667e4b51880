// The program's 8-bit texts as the windows show them: UTF-8 when the bytes are valid UTF-8,
// Windows-1252 otherwise; control characters in a visible form.
#pragma once

#include <string>

namespace app::model {

// For texts of several lines (a message, the about text): line feeds stay line feeds.
std::string DisplayText(const std::string& text);
// For one line (a report line, a caption, a label, a drive line): a line feed is shown too.
std::string DisplayLine(const std::string& text);

}  // namespace app::model
