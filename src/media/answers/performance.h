// GET PERFORMANCE with type 03h: the write speed descriptors. Offsets count from the start of
// the answer: an 8-byte header, then 16-byte descriptors.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct WriteSpeedAnswer {
  static constexpr uint8_t kType = 0x03;
  static constexpr uint16_t kMaxDescriptors = 50;
  // The length asked for the whole list: room for every descriptor asked for.
  static constexpr uint32_t kWholeListLength = 4096;
  static constexpr size_t kLengthAt = 0;  // bytes after this field, 4 bytes
  static constexpr size_t kHeaderSize = 8;
  static constexpr size_t kDescriptorSize = 16;
  // A descriptor's fields, from its start: byte 0 bits 4-3 the rotation control (0 CLV, 1 CAV),
  // bit 1 Exact.
  static constexpr size_t kFlagsByte = 0;
  static constexpr size_t kEndLbaAt = 4;
  static constexpr size_t kReadSpeedAt = 8;
  static constexpr size_t kWriteSpeedAt = 12;

  device::ResponseView answer;

  uint32_t Length() const { return answer.BE32(kLengthAt); }
  // Descriptor `i`, bounded by the answer like every other byte.
  device::ResponseView Descriptor(size_t i) const {
    return answer.From(kHeaderSize + i * kDescriptorSize);
  }
  static uint8_t RotationOf(const device::ResponseView& descriptor) {
    return (descriptor.At(kFlagsByte) >> 3) & 3;
  }
  static bool ExactOf(const device::ResponseView& descriptor) {
    return (descriptor.At(kFlagsByte) & 0x02) != 0;
  }
  // The answer's length field covers whole descriptors from the header's end.
  uint64_t ListedDescriptors() const {
    return (uint64_t{Length()} + 4 - kHeaderSize) / kDescriptorSize;
  }
};

// The write speed descriptors, `length` bytes asked for; nothing when the command failed.
inline std::optional<WriteSpeedAnswer> ReadWriteSpeedAnswer(device::AtapiDevice& device,
                                                            uint32_t length) {
  if (!device.GetPerformance(0, 0, WriteSpeedAnswer::kMaxDescriptors, WriteSpeedAnswer::kType, 0,
                             length))
    return std::nullopt;
  return WriteSpeedAnswer{device.Answer()};
}

}  // namespace media
