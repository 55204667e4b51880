// The media identifiers of DVD and BD discs and the nominal capacity of a DVD.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

// Each ID is kept with a terminating NUL; an ID that could not be read is all zeros.
using PlusMid = std::array<uint8_t, 9>;
using PlusTid = std::array<uint8_t, 4>;
using MinusMid = std::array<uint8_t, 13>;

// The drive kind and disc kind are those of DetectDriveKind and DetectDiscKind; they
// decide whether the vendor media-ID command is tried.
PlusMid ReadPlusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind);
PlusTid ReadPlusTypeId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind);
MinusMid ReadMinusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind);

// Number of 2048-byte blocks, 0 when the format capacities could not be read.
uint32_t ReadFormattedCapacity(device::AtapiDevice& device);

// Gigabytes (2^30 bytes) of a block count.
double CapacityGb(uint32_t blocks);

// A copy of the first n bytes with every byte outside 20h-7Eh replaced by ".".
std::string MakePrintable(const uint8_t* bytes, size_t n);

// The ID as text up to its first NUL, never past its width.
template <size_t N>
std::string IdText(const std::array<uint8_t, N>& id) {
  std::string text;
  for (uint8_t c : id) {
    if (c == 0) break;
    text += static_cast<char>(c);
  }
  return text;
}

}  // namespace media
