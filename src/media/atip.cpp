#include "media/atip.h"

#include <string>

#include "device/format_c.h"

namespace media {
namespace {

constexpr uint16_t kAtipLength = 256;
constexpr uint16_t kHeaderOnlyLength = 2;
constexpr size_t kFirstTrackByte = 2;        // header bytes 2-3: reserved in an ATIP, the
constexpr size_t kLastTrackByte = 3;         // first and last track in a table of contents
constexpr size_t kAtipWritingPowerByte = 4;  // descriptor byte 0, bit 7 always set
constexpr size_t kAtipDiscTypeByte = 6;      // descriptor byte 2, bit 7 always set
constexpr uint8_t kAtipMarkerBit = 0x80;
constexpr size_t kAtipLeadInAt = 8;    // descriptor bytes 4-6
constexpr size_t kAtipLeadOutAt = 12;  // descriptor bytes 8-10
constexpr uint16_t kDiscInfoLength = 256;
constexpr size_t kDiscInfoLeadInAt = 17;   // M S F of bytes 16-19
constexpr size_t kDiscInfoLeadOutAt = 21;  // M S F of bytes 20-23

uint32_t TimeNumberAt(const device::AtapiDevice& device, size_t at) {
  return uint32_t{device.ResponseByte(at)} * 10000 + uint32_t{device.ResponseByte(at + 1)} * 100 +
         device.ResponseByte(at + 2);
}

}  // namespace

bool IsAtipAnswer(const device::AtapiDevice& device) {
  const bool trackNumbers =
      device.ResponseByte(kFirstTrackByte) != 0 || device.ResponseByte(kLastTrackByte) != 0;
  const bool markers = (device.ResponseByte(kAtipWritingPowerByte) & kAtipMarkerBit) != 0 ||
                       (device.ResponseByte(kAtipDiscTypeByte) & kAtipMarkerBit) != 0;
  return !trackNumbers || markers;
}

uint32_t ReadAtipTime(device::AtapiDevice& device, AtipTime which) {
  const bool leadIn = which == AtipTime::LeadIn;
  if (device.ReadTocPmaAtip(1, 4, 0, kAtipLength, 0) && device.ReadBE16(0) != kHeaderOnlyLength &&
      IsAtipAnswer(device)) {
    return TimeNumberAt(device, leadIn ? kAtipLeadInAt : kAtipLeadOutAt);
  }
  if (device.ReadDiscInformation(kDiscInfoLength, 0)) {
    return TimeNumberAt(device, leadIn ? kDiscInfoLeadInAt : kDiscInfoLeadOutAt);
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
  return device::FormatC("%.2d:%.2d:%.2d", parts.m, parts.s, parts.f);
}

const char* CdMaterial(DiscKind kind, uint32_t leadIn) {
  if (kind >= DiscKind::CdRwNormal) return "Phase Change";
  return SplitAtipTime(leadIn).f % 10 <= 4 ? "Cyanine" : "Phthalocyanine";
}

double CdCapacityMb(uint32_t leadOut) {
  const AtipParts parts = SplitAtipTime(leadOut);
  return AtipTimeToBlocks(parts.m, parts.s, parts.f) * 2048.0 / 1048576.0;
}

}  // namespace media
