// A drive's answer to the last data-in command, bounded by the bytes that command asked for:
// a byte the drive did not send reads 0 (the transport clears the bytes asked for before every
// data-in command), and so does every byte past the end, which may still hold an older answer.
// A view reads the device's response buffer: it holds until the next command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace device {

class ResponseView {
 public:
  ResponseView() = default;
  explicit ResponseView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t Size() const { return bytes_.size(); }
  uint8_t At(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }
  uint16_t BE16(size_t offset) const {
    return static_cast<uint16_t>(At(offset) << 8 | At(offset + 1));
  }
  uint32_t BE32(size_t offset) const { return uint32_t{BE16(offset)} << 16 | BE16(offset + 2); }
  // Copies `count` bytes from `offset` to `to`, zeros for bytes past the end.
  void Copy(size_t offset, size_t count, uint8_t* to) const {
    for (size_t i = 0; i < count; ++i) to[i] = At(offset + i);
  }
  // The part from `offset` on, as a view of its own.
  ResponseView From(size_t offset) const {
    return offset < bytes_.size() ? ResponseView(bytes_.subspan(offset)) : ResponseView();
  }

 private:
  std::span<const uint8_t> bytes_;
};

}  // namespace device
