// Text as roff reads it back: what the program's help says, safe inside a manual page.
#pragma once

#include <string>
#include <string_view>

namespace docgen {

// Escapes backslashes and hyphens (so that options copy as ASCII minus signs) and keeps a
// line from starting with a control character ('.' or '\'').
std::string RoffText(std::string_view text);

// RoffText in bold or italics, back to roman after.
std::string Bold(std::string_view text);
std::string Italic(std::string_view text);

}  // namespace docgen
