// The drive's capabilities page (MODE SENSE page 2Ah). Offsets count from the start of the
// answer: the page follows the 8-byte mode parameter header.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

struct CapabilitiesPage {
  static constexpr uint8_t kPage = 0x2A;
  // Through the selected write speed; every reader of the page asks for this much.
  static constexpr uint16_t kLength = 42;
  static constexpr size_t kReadCapabilitiesByte = 10;   // bit 3: DVD-ROM read
  static constexpr size_t kWriteCapabilitiesByte = 11;  // bit 0: CD-R write, bit 1: CD-RW write
  static constexpr size_t kSelectedWriteSpeedAt = 36;   // page byte 28: kB/s
  // The whole page with its write speed descriptors: the mode header and the largest page
  // (the page length byte counts at most 255 bytes after itself).
  static constexpr uint16_t kWithSpeedDescriptorsLength = 8 + 2 + 255;
  static constexpr size_t kPageLengthAt = 9;             // page byte 1: bytes after it
  static constexpr size_t kSpeedDescriptorCountAt = 38;  // page bytes 30-31
  static constexpr size_t kSpeedDescriptorsAt = 40;      // page byte 32: 4-byte descriptors
  static constexpr size_t kSpeedDescriptorSize = 4;
  // A descriptor's fields, from its start: byte 1 bits 1-0 the rotation control (0 CLV,
  // 1 CAV), bytes 2-3 the write speed in kB/s.
  static constexpr size_t kDescriptorRotationByte = 1;
  static constexpr size_t kDescriptorSpeedAt = 2;

  device::ResponseView answer;

  bool ReadsDvdRom() const { return (answer.At(kReadCapabilitiesByte) & 0x08) != 0; }
  bool WritesCdR() const { return (answer.At(kWriteCapabilitiesByte) & 0x01) != 0; }
  bool WritesCdRw() const { return (answer.At(kWriteCapabilitiesByte) & 0x02) != 0; }
  uint16_t SelectedWriteSpeedKbps() const { return answer.BE16(kSelectedWriteSpeedAt); }
  uint16_t ListedSpeedDescriptors() const { return answer.BE16(kSpeedDescriptorCountAt); }
  // The descriptors the page itself holds, by its length byte (it ends 2 bytes after the page
  // start plus that length).
  size_t SpeedDescriptorsInPage() const {
    const size_t pageEnd = kPageLengthAt + 1 + answer.At(kPageLengthAt);
    return pageEnd > kSpeedDescriptorsAt ? (pageEnd - kSpeedDescriptorsAt) / kSpeedDescriptorSize
                                         : 0;
  }
  device::ResponseView SpeedDescriptor(size_t i) const {
    return answer.From(kSpeedDescriptorsAt + i * kSpeedDescriptorSize);
  }
  static uint8_t RotationOf(const device::ResponseView& descriptor) {
    return descriptor.At(kDescriptorRotationByte) & 3;
  }
  static uint16_t SpeedOf(const device::ResponseView& descriptor) {
    return descriptor.BE16(kDescriptorSpeedAt);
  }
};

// The current values of the page; nothing when the command failed.
std::optional<CapabilitiesPage> ReadCapabilitiesPage(device::AtapiDevice& device);
// The same page read whole, with its write speed descriptors.
std::optional<CapabilitiesPage> ReadCapabilitiesPageWithSpeeds(device::AtapiDevice& device);

}  // namespace media
