// READ FORMAT CAPACITIES: a 4-byte header, the current capacity descriptor, then the
// formattable capacity descriptors, 8 bytes each. Offsets count from the start of the answer.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct FormatCapacities {
  static constexpr size_t kListLengthByte = 3;
  static constexpr size_t kCurrentBlocksAt = 4;
  static constexpr size_t kCurrentTypeByte = 8;  // bits 1-0: the descriptor type
  static constexpr uint8_t kUnformattedMedium = 1;
  static constexpr size_t kDescriptorSize = 8;
  // A formattable descriptor's fields, from its start.
  static constexpr size_t kBlocksAt = 0;
  static constexpr size_t kFormatTypeByte = 4;  // bits 7-2

  device::ResponseView answer;

  uint32_t CurrentBlocks() const { return answer.BE32(kCurrentBlocksAt); }
  bool Unformatted() const { return (answer.At(kCurrentTypeByte) & 3) == kUnformattedMedium; }
  // Descriptors in the list, the current one included.
  int Listed() const { return answer.At(kListLengthByte) / static_cast<int>(kDescriptorSize); }
  // Descriptor k: 0 is the current capacity, 1 on the formattable ones.
  device::ResponseView Descriptor(int k) const {
    return answer.From(kCurrentBlocksAt + kDescriptorSize * static_cast<size_t>(k));
  }
  static uint8_t FormatType(const device::ResponseView& descriptor) {
    return descriptor.At(kFormatTypeByte) >> 2;
  }
};

// The capacities, `length` bytes asked for; nothing when the command failed.
inline std::optional<FormatCapacities> ReadFormatCapacitiesAnswer(device::AtapiDevice& device,
                                                                  uint16_t length) {
  if (!device.ReadFormatCapacities(length, 0)) return std::nullopt;
  return FormatCapacities{device.Answer()};
}

}  // namespace media
