// READ CAPACITY: the address of the last recorded block and the block length, 4 bytes each.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct RecordedCapacity {
  static constexpr size_t kLastBlockAt = 0;
  static constexpr size_t kBlockLengthAt = 4;
  static constexpr uint32_t kNeeded = 8;

  device::ResponseView answer;
  uint32_t transferred = 0;

  bool Complete() const { return transferred >= kNeeded && answer.Size() >= kNeeded; }
  uint32_t LastBlock() const { return answer.BE32(kLastBlockAt); }
  uint32_t BlockLength() const { return answer.BE32(kBlockLengthAt); }
};

// The capacity of what is recorded; nothing when the command failed.
inline std::optional<RecordedCapacity> ReadRecordedCapacity(device::AtapiDevice& device) {
  if (!device.ReadCapacity()) return std::nullopt;
  return RecordedCapacity{device.Answer(), device.BytesTransferred()};
}

}  // namespace media
