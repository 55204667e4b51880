#include "docgen/roff_text.h"

namespace docgen {

std::string RoffText(std::string_view text) {
  std::string roff;
  bool lineStart = true;
  for (const char c : text) {
    if (lineStart && (c == '.' || c == '\'')) roff += "\\&";
    if (c == '\\') {
      roff += "\\e";
    } else if (c == '-') {
      roff += "\\-";
    } else {
      roff += c;
    }
    lineStart = c == '\n';
  }
  return roff;
}

std::string Bold(std::string_view text) {
  return "\\fB" + RoffText(text) + "\\fR";
}

std::string Italic(std::string_view text) {
  return "\\fI" + RoffText(text) + "\\fR";
}

}  // namespace docgen
