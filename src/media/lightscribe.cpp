#include "media/lightscribe.h"

#include "device/format_c.h"

namespace media {
namespace {

constexpr uint16_t kLightScribeFeature = 0xFF33;
constexpr uint16_t kFeatureLength = 16;
constexpr size_t kFirstFeatureCodeAt = 8;
constexpr uint8_t kLightScribePage = 0x32;
constexpr uint16_t kPageLength = 256;
// Response offsets: the page follows the 8-byte mode parameter header.
constexpr size_t kFlagsAt = 11;  // bit 3: LightScribe disc, bit 2: label side down
constexpr size_t kSpokeCountAt = 12;
constexpr size_t kTrackShiftCountAt = 14;
constexpr size_t kOuterMidAt = 16;
constexpr size_t kOuterMidSize = 15;
constexpr size_t kInnerMidAt = 32;
constexpr size_t kInnerMidSize = 46;
constexpr size_t kInnerLineChars = 48;  // 16 bytes a line
const std::string kContinuation(13, ' ');

std::string HexGroups(const device::AtapiDevice& device, size_t at, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    text += device::FormatC("%02X ", unsigned{device.ResponseByte(at + i)});
  }
  return text;
}

}  // namespace

int32_t GetLightScribeState(device::AtapiDevice& device) {
  if (!device.GetConfiguration(2, kLightScribeFeature, kFeatureLength, 0)) return kNoLightScribe;
  if (device.ReadBE16(kFirstFeatureCodeAt) != kLightScribeFeature) return kNoLightScribe;
  if (!device.ModeSense10(1, 0, kLightScribePage, kPageLength, 0)) return kLightScribePageFailed;
  const uint8_t flags = device.ResponseByte(kFlagsAt);
  if ((flags & 0x08) == 0) return kLightScribeNoDisc;
  return (flags & 0x04) != 0 ? kLightScribeLabelSide : kLightScribeDataSide;
}

std::vector<std::string> LabelSideLines(const device::AtapiDevice& device) {
  const std::string inner = HexGroups(device, kInnerMidAt, kInnerMidSize);
  return {"         Disc Type = (LightScribe Label Side)",
          "       Spoke Count = " + std::to_string(device.ReadBE16(kSpokeCountAt)),
          " Track Shift Count = " + std::to_string(device.ReadBE16(kTrackShiftCountAt)),
          " Outer MID = " + HexGroups(device, kOuterMidAt, kOuterMidSize),
          " Inner MID = " + inner.substr(0, kInnerLineChars),
          kContinuation + inner.substr(kInnerLineChars, kInnerLineChars),
          kContinuation + inner.substr(2 * kInnerLineChars)};
}

}  // namespace media
