#include "media/write_speed.h"

#include <algorithm>

#include "media/answers/capabilities_page.h"
#include "media/answers/performance.h"
#include "media/drive_kind.h"
#include "platform/big_endian.h"

namespace media {
namespace {

constexpr uint32_t kSpeedReadLength = 1024;
// A usable answer holds at least one whole descriptor after the length field.
constexpr uint32_t kLengthWithOneDescriptor =
    WriteSpeedAnswer::kHeaderSize + WriteSpeedAnswer::kWriteSpeedAt;

// The SET STREAMING performance descriptor: flags and start LBA stay 0.
constexpr uint16_t kStreamingDescriptorLength = 28;
constexpr size_t kStreamEndLbaAt = 8;
constexpr size_t kStreamReadSizeAt = 12;
constexpr size_t kStreamReadTimeAt = 16;
constexpr size_t kStreamWriteSizeAt = 20;
constexpr size_t kStreamWriteTimeAt = 24;
constexpr uint32_t kStreamingTimeMs = 1000;

std::optional<WriteSpeedAnswer> ReadWriteSpeeds(device::AtapiDevice& device, uint32_t length) {
  auto answer = ReadWriteSpeedAnswer(device, length);
  if (!answer || answer->Length() < kLengthWithOneDescriptor ||
      device.BytesTransferred() < kLengthWithOneDescriptor + 4)
    return std::nullopt;
  return answer;
}

}  // namespace

uint16_t ReadCdWriteSpeed(device::AtapiDevice& device) {
  const auto page = ReadCapabilitiesPage(device);
  return page ? page->SelectedWriteSpeedKbps() : 0;
}

uint32_t ReadDvdWriteSpeed(device::AtapiDevice& device) {
  if (!CanWriteCdr(device)) return 0;
  // The first descriptor's write speed as it stands: the transport cleared the bytes asked
  // for, so an answer without a descriptor reads 0.
  const auto answer = ReadWriteSpeedAnswer(device, kSpeedReadLength);
  return answer ? answer->Descriptor(0).BE32(WriteSpeedAnswer::kWriteSpeedAt) : 0;
}

std::vector<WriteSpeedDescriptor> SetMaxStreaming(device::AtapiDevice& device) {
  const auto answer = ReadWriteSpeeds(device, WriteSpeedAnswer::kWholeListLength);
  if (!answer) return {};
  // Every descriptor the answer holds, bounded by what arrived.
  std::vector<WriteSpeedDescriptor> speeds;
  const uint64_t arrived = (device.BytesTransferred() - WriteSpeedAnswer::kHeaderSize) /
                           WriteSpeedAnswer::kDescriptorSize;
  for (uint64_t i = 0; i < std::min(answer->ListedDescriptors(), arrived); ++i) {
    const device::ResponseView d = answer->Descriptor(static_cast<size_t>(i));
    speeds.push_back({d.BE32(WriteSpeedAnswer::kEndLbaAt), d.BE32(WriteSpeedAnswer::kReadSpeedAt),
                      d.BE32(WriteSpeedAnswer::kWriteSpeedAt)});
  }

  const device::ResponseView first = answer->Descriptor(0);
  const std::span<uint8_t> out = device.DataOutBuffer().first(kStreamingDescriptorLength);
  std::fill(out.begin(), out.end(), 0);
  platform::PutBE32(out, kStreamEndLbaAt, first.BE32(WriteSpeedAnswer::kEndLbaAt));
  platform::PutBE32(out, kStreamReadSizeAt, first.BE32(WriteSpeedAnswer::kReadSpeedAt));
  platform::PutBE32(out, kStreamReadTimeAt, kStreamingTimeMs);
  platform::PutBE32(out, kStreamWriteSizeAt, first.BE32(WriteSpeedAnswer::kWriteSpeedAt));
  platform::PutBE32(out, kStreamWriteTimeAt, kStreamingTimeMs);
  device.SetStreaming(kStreamingDescriptorLength, 0);
  return speeds;
}

}  // namespace media
