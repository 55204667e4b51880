// The ATIP as READ TOC/PMA/ATIP format 4 returns it: a 4-byte header and one descriptor.
// Offsets count from the start of the answer.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

// An M S F time of three bytes from `at` as one number MMSSFF.
inline uint32_t MsfNumberAt(const device::ResponseView& answer, size_t at) {
  return uint32_t{answer.At(at)} * 10000 + uint32_t{answer.At(at + 1)} * 100 + answer.At(at + 2);
}

struct AtipAnswer {
  static constexpr uint8_t kFormat = 4;
  // The length the report asks for when it reads the times (M S F form).
  static constexpr uint16_t kTimesLength = 256;
  static constexpr size_t kLengthLowByte = 1;
  static constexpr size_t kFirstTrackByte = 2;    // reserved in an ATIP; the first and last
  static constexpr size_t kLastTrackByte = 3;     // track of a table of contents
  static constexpr size_t kWritingPowerByte = 4;  // descriptor byte 0, bit 7 always set
  static constexpr size_t kDiscTypeByte = 6;      // descriptor byte 2: bit 7 always set, bit 6
                                                  // rewritable, bits 5-3 the disc sub-type
  static constexpr uint8_t kMarkerBit = 0x80;
  static constexpr size_t kLeadInAt = 8;    // descriptor bytes 4-6, M S F
  static constexpr size_t kLeadOutAt = 12;  // descriptor bytes 8-10, M S F
  // Descriptor byte 2 bit 2 says the A1 values are valid; the first A1 byte (descriptor byte
  // 12) holds the lowest CLV recording speed code in bits 6-4 and the highest in bits 3-0.
  static constexpr uint8_t kA1ValidBit = 0x04;
  static constexpr size_t kA1At = 16;

  device::ResponseView answer;

  // A drive that has no ATIP may answer with the table of contents instead: track numbers
  // in the header and no marker bit say so.
  bool IsAtip() const {
    const bool trackNumbers = answer.At(kFirstTrackByte) != 0 || answer.At(kLastTrackByte) != 0;
    const bool markers = (answer.At(kWritingPowerByte) & kMarkerBit) != 0 ||
                         (answer.At(kDiscTypeByte) & kMarkerBit) != 0;
    return !trackNumbers || markers;
  }
  bool Rewritable() const { return (answer.At(kDiscTypeByte) & 0x40) != 0; }
  uint8_t SubType() const { return (answer.At(kDiscTypeByte) >> 3) & 7; }
  uint32_t LeadIn() const { return MsfNumberAt(answer, kLeadInAt); }
  uint32_t LeadOut() const { return MsfNumberAt(answer, kLeadOutAt); }
  bool HasA1() const { return (answer.At(kDiscTypeByte) & kA1ValidBit) != 0; }
  uint8_t LowestSpeedCode() const { return (answer.At(kA1At) >> 4) & 7; }
  uint8_t HighestSpeedCode() const { return answer.At(kA1At) & 15; }
};

// The ATIP with times in M S F form (`msf`) or not, `length` bytes asked for; nothing when
// the command failed.
inline std::optional<AtipAnswer> ReadAtip(device::AtapiDevice& device, bool msf, uint16_t length) {
  if (!device.ReadTocPmaAtip(msf ? 1 : 0, AtipAnswer::kFormat, 0, length, 0)) return std::nullopt;
  return AtipAnswer{device.Answer()};
}

}  // namespace media
