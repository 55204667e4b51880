// The program's texts are 8-bit Windows-1252 bytes; terminals and JSON want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace device {

std::string Cp1252ToUtf8(std::string_view text);

}  // namespace device
