#include "media/write_speed.h"

#include <algorithm>

#include "media/answers/capabilities_page.h"
#include "media/drive_kind.h"

namespace media {
namespace {

constexpr uint16_t kCapabilitiesLength = 40;

constexpr uint8_t kWriteSpeedType = 0x03;
constexpr uint16_t kMaxDescriptors = 50;
constexpr uint32_t kSpeedReadLength = 1024;
constexpr uint32_t kStreamingReadLength = 4096;
constexpr size_t kPerformanceHeader = 8;
constexpr size_t kDescriptorSize = 16;
// The first descriptor's fields.
constexpr size_t kEndLbaAt = 12;
constexpr size_t kReadSpeedAt = 16;
constexpr size_t kWriteSpeedAt = 20;
// A usable answer holds at least one whole descriptor after the length field.
constexpr uint32_t kLengthWithOneDescriptor = kWriteSpeedAt;

constexpr uint16_t kStreamingDescriptorLength = 28;
constexpr uint32_t kStreamingTimeMs = 1000;

bool ReadWriteSpeeds(device::AtapiDevice& device, uint32_t length) {
  return device.GetPerformance(0, 0, kMaxDescriptors, kWriteSpeedType, 0, length) &&
         device.ReadBE32(0) >= kLengthWithOneDescriptor &&
         device.BytesTransferred() >= kWriteSpeedAt + 4;
}

}  // namespace

uint16_t ReadCdWriteSpeed(device::AtapiDevice& device) {
  const auto page = ReadCapabilitiesPage(device, kCapabilitiesLength);
  return page ? page->SelectedWriteSpeedKbps() : 0;
}

uint32_t ReadDvdWriteSpeed(device::AtapiDevice& device) {
  if (!CanWriteCdr(device)) return 0;
  // The first descriptor's write speed as it stands: the transport cleared the bytes asked
  // for, so an answer without a descriptor reads 0.
  if (!device.GetPerformance(0, 0, kMaxDescriptors, kWriteSpeedType, 0, kSpeedReadLength)) return 0;
  return device.ReadBE32(kWriteSpeedAt);
}

std::vector<WriteSpeedDescriptor> SetMaxStreaming(device::AtapiDevice& device) {
  if (!ReadWriteSpeeds(device, kStreamingReadLength)) return {};
  // Every descriptor the answer holds, bounded by what arrived.
  std::vector<WriteSpeedDescriptor> speeds;
  const uint64_t listed = (uint64_t{device.ReadBE32(0)} + 4 - kPerformanceHeader) / kDescriptorSize;
  const uint64_t arrived = (device.BytesTransferred() - kPerformanceHeader) / kDescriptorSize;
  for (uint64_t i = 0; i < std::min(listed, arrived); ++i) {
    const size_t at = kPerformanceHeader + static_cast<size_t>(i) * kDescriptorSize;
    speeds.push_back({device.ReadBE32(at + 4), device.ReadBE32(at + 8), device.ReadBE32(at + 12)});
  }

  const auto out = device.DataOutBuffer();
  std::fill_n(out.begin(), kStreamingDescriptorLength, 0);
  device.WriteBE32(8, device.ReadBE32(kEndLbaAt));
  device.WriteBE32(12, device.ReadBE32(kReadSpeedAt));   // read size
  device.WriteBE32(16, kStreamingTimeMs);                // read time
  device.WriteBE32(20, device.ReadBE32(kWriteSpeedAt));  // write size
  device.WriteBE32(24, kStreamingTimeMs);                // write time
  device.SetStreaming(kStreamingDescriptorLength, 0);
  return speeds;
}

}  // namespace media
