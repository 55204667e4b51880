#include "media/atip.h"

#include <string>

#include "media/answers/atip_answer.h"
#include "text/format_c.h"

namespace media {
namespace {

constexpr uint16_t kHeaderOnlyLength = 2;
// The disc information's last possible lead-in and lead-out, M S F of bytes 16-19 and 20-23,
// take the place of an ATIP the drive does not give.
constexpr uint16_t kDiscInfoLength = 256;
constexpr size_t kDiscInfoLeadInAt = 17;
constexpr size_t kDiscInfoLeadOutAt = 21;

}  // namespace

bool IsAtipAnswer(const device::AtapiDevice& device) {
  return AtipAnswer{device.Answer()}.IsAtip();
}

uint32_t ReadAtipTime(device::AtapiDevice& device, AtipTime which) {
  const bool leadIn = which == AtipTime::LeadIn;
  const auto atip = ReadAtip(device, true, AtipAnswer::kTimesLength);
  if (atip && atip->answer.BE16(0) != kHeaderOnlyLength && atip->IsAtip()) {
    return leadIn ? atip->LeadIn() : atip->LeadOut();
  }
  if (device.ReadDiscInformation(kDiscInfoLength, 0)) {
    return MsfNumberAt(device.Answer(), leadIn ? kDiscInfoLeadInAt : kDiscInfoLeadOutAt);
  }
  return 0;
}

int32_t AtipTimeToBlocks(int32_t m, int32_t s, int32_t f) {
  return m * 4500 + s * 75 + f - 150;
}

AtipParts SplitAtipTime(uint32_t number) {
  std::string text = std::to_string(number);
  if (text.size() < 6) text.insert(0, 6 - text.size(), '0');
  text.resize(6);
  return {std::stoi(text.substr(0, 2)), std::stoi(text.substr(2, 2)), std::stoi(text.substr(4, 2))};
}

std::string FormatAtipTime(uint32_t number) {
  const AtipParts parts = SplitAtipTime(number);
  return text::FormatC("%.2d:%.2d:%.2d", parts.m, parts.s, parts.f);
}

const char* CdMaterial(DiscKind kind, uint32_t leadIn) {
  if (IsCdRw(kind)) return "Phase Change";
  return SplitAtipTime(leadIn).f % 10 <= 4 ? "Cyanine" : "Phthalocyanine";
}

double CdCapacityMb(uint32_t leadOut) {
  const AtipParts parts = SplitAtipTime(leadOut);
  return AtipTimeToBlocks(parts.m, parts.s, parts.f) * 2048.0 / 1048576.0;
}

}  // namespace media
