#include "media/lightscribe.h"

#include "media/answers/configuration.h"
#include "media/answers/lightscribe_page.h"
#include "text/format_c.h"

namespace media {
namespace {

constexpr uint16_t kLightScribeFeature = 0xFF33;
constexpr uint8_t kOneFeature = 2;  // RT 2: only the descriptor of the feature asked for
constexpr uint16_t kFeatureLength = 16;
constexpr size_t kInnerLineChars = 48;  // 16 bytes a line
const std::string kContinuation(13, ' ');

std::string HexGroups(const device::ResponseView& answer, size_t at, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += text::FormatC("%02X ", unsigned{answer.At(at + i)});
  return text;
}

}  // namespace

int32_t GetLightScribeState(device::AtapiDevice& device) {
  const auto feature = ReadConfiguration(device, kOneFeature, kLightScribeFeature, kFeatureLength);
  if (!feature || feature->FirstFeatureCode() != kLightScribeFeature) return kNoLightScribe;
  if (!device.ModeSense10(1, 0, LightScribePage::kPage, LightScribePage::kLength, 0))
    return kLightScribePageFailed;
  const LightScribePage page{device.Answer()};
  if (!page.LightScribeDisc()) return kLightScribeNoDisc;
  return page.LabelSideDown() ? kLightScribeLabelSide : kLightScribeDataSide;
}

std::vector<std::string> LabelSideLines(const device::AtapiDevice& device) {
  const LightScribePage page{device.Answer()};
  const std::string inner =
      HexGroups(page.answer, LightScribePage::kInnerMidAt, LightScribePage::kInnerMidSize);
  return {"         Disc Type = (LightScribe Label Side)",
          "       Spoke Count = " + std::to_string(page.SpokeCount()),
          " Track Shift Count = " + std::to_string(page.TrackShiftCount()),
          " Outer MID = " +
              HexGroups(page.answer, LightScribePage::kOuterMidAt, LightScribePage::kOuterMidSize),
          " Inner MID = " + inner.substr(0, kInnerLineChars),
          kContinuation + inner.substr(kInnerLineChars, kInnerLineChars),
          kContinuation + inner.substr(2 * kInnerLineChars)};
}

}  // namespace media
