// Upper-casing of 8-bit Windows-1252 text by a fixed table, whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace media {

uint8_t UpperCp1252(uint8_t c);
std::string UpperCp1252(std::string_view text);

}  // namespace media
