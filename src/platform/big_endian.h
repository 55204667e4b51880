// Numbers as the drives carry them in command blocks and answers: big-endian, most
// significant byte first. A read past the end of the bytes reads 0; a write past it is
// dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

inline uint8_t ByteAt(std::span<const uint8_t> bytes, size_t at) {
  return at < bytes.size() ? bytes[at] : 0;
}
inline uint16_t GetBE16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(ByteAt(bytes, at) << 8 | ByteAt(bytes, at + 1));
}
inline uint32_t GetBE32(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{GetBE16(bytes, at)} << 16 | GetBE16(bytes, at + 2);
}

inline void PutBE16(std::span<uint8_t> bytes, size_t at, uint32_t value) {
  if (at < bytes.size()) bytes[at] = static_cast<uint8_t>(value >> 8);
  if (at + 1 < bytes.size()) bytes[at + 1] = static_cast<uint8_t>(value);
}
inline void PutBE32(std::span<uint8_t> bytes, size_t at, uint32_t value) {
  PutBE16(bytes, at, value >> 16);
  PutBE16(bytes, at + 2, value);
}

}  // namespace platform
