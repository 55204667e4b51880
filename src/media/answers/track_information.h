// READ TRACK INFORMATION of one track: the length of what follows, then the track's
// description. Offsets count from the start of the answer.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct TrackInformation {
  static constexpr uint8_t kByTrackNumber = 1;
  static constexpr size_t kLengthAt = 0;
  static constexpr size_t kBlankByte = 6;  // bit 6: nothing is written in the track
  static constexpr size_t kValidByte = 7;  // bit 0: the next writable address is valid
  static constexpr size_t kStartAt = 8;
  static constexpr size_t kNextWritableAt = 12;
  static constexpr size_t kFreeBlocksAt = 16;
  static constexpr size_t kTrackSizeAt = 24;
  static constexpr uint32_t kNeeded = 28;  // through the track size

  device::ResponseView answer;
  uint32_t transferred = 0;

  bool Complete() const {
    return transferred >= kNeeded && answer.Size() >= kNeeded &&
           uint32_t{answer.BE16(kLengthAt)} + 2 >= kNeeded;
  }
  bool Blank() const { return (answer.At(kBlankByte) & 0x40) != 0; }
  bool NextWritableValid() const { return (answer.At(kValidByte) & 1) != 0; }
  uint32_t Start() const { return answer.BE32(kStartAt); }
  uint32_t NextWritable() const { return answer.BE32(kNextWritableAt); }
  uint32_t FreeBlocks() const { return answer.BE32(kFreeBlocksAt); }
  uint32_t TrackSize() const { return answer.BE32(kTrackSizeAt); }
};

// Track `track`'s information, `length` bytes asked for; nothing when the command failed.
inline std::optional<TrackInformation> ReadTrackInformationAnswer(device::AtapiDevice& device,
                                                                  uint32_t track, uint16_t length) {
  if (!device.ReadTrackInformation(TrackInformation::kByTrackNumber, track, length, 0)) {
    return std::nullopt;
  }
  return TrackInformation{device.Answer(), device.BytesTransferred()};
}

}  // namespace media
