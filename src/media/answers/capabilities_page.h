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

  device::ResponseView answer;

  bool ReadsDvdRom() const { return (answer.At(kReadCapabilitiesByte) & 0x08) != 0; }
  bool WritesCdR() const { return (answer.At(kWriteCapabilitiesByte) & 0x01) != 0; }
  bool WritesCdRw() const { return (answer.At(kWriteCapabilitiesByte) & 0x02) != 0; }
  uint16_t SelectedWriteSpeedKbps() const { return answer.BE16(kSelectedWriteSpeedAt); }
};

// The current values of the page; nothing when the command failed.
std::optional<CapabilitiesPage> ReadCapabilitiesPage(device::AtapiDevice& device);

}  // namespace media
