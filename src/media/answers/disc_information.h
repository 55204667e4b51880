// READ DISC INFORMATION, standard information: the length of what follows, then the disc's
// state. Offsets count from the start of the answer.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct DiscInformation {
  static constexpr size_t kLengthAt = 0;     // bytes that follow the field itself
  static constexpr size_t kStateByte = 2;    // bit 4 erasable, bits 3-2 last session, 1-0 disc
  static constexpr size_t kSessionsLow = 4;  // number of sessions, low byte
  static constexpr size_t kLastTrackInLastSessionLow = 6;
  static constexpr size_t kSessionsHigh = 9;
  static constexpr size_t kLastTrackInLastSessionHigh = 11;
  // Every field read here lies in the first 12 bytes; an answer that ends before them says
  // nothing of the disc.
  static constexpr uint32_t kNeeded = 12;

  device::ResponseView answer;
  uint32_t transferred = 0;

  bool Complete() const {
    return transferred >= kNeeded && answer.Size() >= kNeeded &&
           uint32_t{answer.BE16(kLengthAt)} + 2 >= kNeeded;
  }
  // 0 blank, 1 appendable, 2 complete, 3 other.
  uint8_t DiscStatus() const { return answer.At(kStateByte) & 3; }
  // 0 empty, 1 incomplete, 2 reserved or damaged, 3 complete.
  uint8_t LastSessionState() const { return (answer.At(kStateByte) >> 2) & 3; }
  bool Erasable() const { return (answer.At(kStateByte) & 0x10) != 0; }
  uint16_t Sessions() const {
    return static_cast<uint16_t>(answer.At(kSessionsHigh) << 8 | answer.At(kSessionsLow));
  }
  uint16_t LastTrackInLastSession() const {
    return static_cast<uint16_t>(answer.At(kLastTrackInLastSessionHigh) << 8 |
                                 answer.At(kLastTrackInLastSessionLow));
  }
};

// The disc information, `length` bytes asked for; nothing when the command failed.
inline std::optional<DiscInformation> ReadDiscInformationAnswer(device::AtapiDevice& device,
                                                                uint16_t length) {
  if (!device.ReadDiscInformation(length, 0)) return std::nullopt;
  return DiscInformation{device.Answer(), device.BytesTransferred()};
}

}  // namespace media
