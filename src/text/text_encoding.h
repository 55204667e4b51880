// The program's texts are 8-bit bytes: what a drive sends, what a property file or a user
// media file holds. Terminals, windows and JSON want UTF-8. A text that is valid UTF-8 (what
// files made on Linux hold) is taken as UTF-8; anything else is read as Windows-1252 (what
// files made on Windows hold, and the code page the system was made for).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// True when the bytes form valid UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF). Plain ASCII is valid UTF-8.
bool IsUtf8(std::string_view text);

// Every byte as its Windows-1252 character, in UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// The text in UTF-8: as it stands when it is valid UTF-8, else read as Windows-1252.
std::string TextToUtf8(std::string_view text);

enum class LineBreaks { Shown, Kept };

// TextToUtf8, with every control character (C0, DEL and C1) in a visible, harmless form:
// the Unicode control pictures (U+2400-U+2421) for C0 and DEL, U+FFFD for C1. A drive's or a
// file's bytes then cannot move a terminal's cursor, retitle it, clear it or start a line
// that looks like one of the program's own. With LineBreaks::Kept a line feed stays one.
std::string VisibleText(std::string_view text, LineBreaks breaks = LineBreaks::Shown);

// A JSON document as a JSON writer made it (UTF-8, C0 controls already escaped), with DEL and
// the C1 controls (U+0080-U+009F) escaped as \u007f ... \u009f too: the same text for a JSON
// reader, and nothing a terminal would act on when the document is shown.
std::string EscapeJsonControls(std::string_view json);

// The length of the longest start of `text` of at most `width` bytes that does not end
// inside a character: for valid UTF-8 the cut moves back to the start of a split sequence;
// other texts are one byte per character.
size_t CutLength(std::string_view text, size_t width);

}  // namespace text
