// Bytes written as hexadecimal text, two upper-case digits a byte: "DF 03 A1".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace text {

std::string HexBytes(std::span<const uint8_t> bytes, std::string_view separator = " ");

}  // namespace text
