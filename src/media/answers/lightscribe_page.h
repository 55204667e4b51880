// Mode page 32h of a LightScribe drive. Offsets count from the start of the answer: the page
// follows the 8-byte mode parameter header.
#pragma once

#include <cstdint>

#include "device/response_view.h"

namespace media {

struct LightScribePage {
  static constexpr uint8_t kPage = 0x32;
  static constexpr uint16_t kLength = 256;
  static constexpr size_t kFlagsByte = 11;  // bit 3: LightScribe disc, bit 2: label side down
  static constexpr size_t kSpokeCountAt = 12;
  static constexpr size_t kTrackShiftCountAt = 14;
  static constexpr size_t kOuterMidAt = 16;
  static constexpr size_t kOuterMidSize = 15;
  static constexpr size_t kInnerMidAt = 32;
  static constexpr size_t kInnerMidSize = 46;

  device::ResponseView answer;

  bool LightScribeDisc() const { return (answer.At(kFlagsByte) & 0x08) != 0; }
  bool LabelSideDown() const { return (answer.At(kFlagsByte) & 0x04) != 0; }
  uint16_t SpokeCount() const { return answer.BE16(kSpokeCountAt); }
  uint16_t TrackShiftCount() const { return answer.BE16(kTrackShiftCountAt); }
};

}  // namespace media
