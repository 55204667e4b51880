// Windows keeps names in UTF-16; the program keeps its texts in UTF-8. Converting between
// them, and the system's own words for an error code.
#pragma once

#include <string>

namespace platform {

// UTF-8 to UTF-16. Bytes that are not UTF-8 are read in the system's ANSI code page, so a
// name that came from an 8-bit source still names its file.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

// "Access is denied" for ERROR_ACCESS_DENIED: the system's message without its final period.
std::string Win32ErrorText(unsigned long error);

}  // namespace platform
