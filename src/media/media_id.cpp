#include "media/media_id.h"

#include <algorithm>

#include "media/answers/dvd_structures.h"
#include "media/answers/format_capacities.h"

namespace media {
namespace {

constexpr uint16_t kFormatCapacitiesLength = 96;
// Descriptor k lies at 4 + 8k to 11 + 8k; only those inside the bytes asked for count.
constexpr int kLastDescriptorAsked = (kFormatCapacitiesLength - FormatCapacities::kCurrentBlocksAt -
                                      FormatCapacities::kDescriptorSize) /
                                     FormatCapacities::kDescriptorSize;
constexpr uint8_t kFormatTypeOrder[] = {0x10, 0x15, 0x26, 0x00};

}  // namespace

PlusMid ReadPlusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusMid mid{};
  if (IsDvdWriter(driveKind) && HasAdipKey(discKind)) {
    if (const auto vendor = ReadVendorMediaIdAnswer(device)) {
      vendor->answer.Copy(VendorMediaId::kMidAt, 8, mid.data());
      return mid;
    }
  }
  if (const auto format = ReadPhysicalFormat(device, PhysicalFormat::kIdLength))
    format->answer.Copy(PhysicalFormat::kAdipMidAt, 8, mid.data());
  return mid;
}

PlusTid ReadPlusTypeId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusTid tid{};
  // The fourth byte of the vendor answer's type field is not part of the shown ID.
  if (IsDvdWriter(driveKind) && discKind != DiscKind::DvdPlusRw) {
    if (const auto vendor = ReadVendorMediaIdAnswer(device)) {
      vendor->answer.Copy(VendorMediaId::kTidAt, 3, tid.data());
      return tid;
    }
  }
  if (const auto format = ReadPhysicalFormat(device, PhysicalFormat::kIdLength))
    format->answer.Copy(PhysicalFormat::kAdipTidAt, 3, tid.data());
  return tid;
}

MinusMid ReadMinusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  MinusMid mid{};
  if (IsMultiDvdWriter(driveKind) && HasAdipKey(discKind)) {
    if (const auto vendor = ReadVendorMediaIdAnswer(device)) {
      vendor->answer.Copy(VendorMediaId::kMidAt, 12, mid.data());
      return mid;
    }
  }
  if (const auto info = ReadPreRecordedInfo(device, PreRecordedInfo::kLength)) {
    info->answer.Copy(PreRecordedInfo::kMidFirstAt, 6, mid.data());
    info->answer.Copy(PreRecordedInfo::kMidSecondAt, 6, mid.data() + 6);
  }
  return mid;
}

uint32_t ReadFormattedCapacity(device::AtapiDevice& device) {
  const auto capacities = ReadFormatCapacitiesAnswer(device, kFormatCapacitiesLength);
  if (!capacities) return 0;
  if (capacities->Unformatted()) return capacities->CurrentBlocks();
  const int last = std::min(capacities->Listed() - 1, kLastDescriptorAsked);
  for (uint8_t formatType : kFormatTypeOrder) {
    for (int k = 1; k <= last; ++k) {
      const device::ResponseView descriptor = capacities->Descriptor(k);
      if (FormatCapacities::FormatType(descriptor) == formatType)
        return descriptor.BE32(FormatCapacities::kBlocksAt);
    }
  }
  return capacities->CurrentBlocks();
}

double CapacityGb(uint32_t blocks) {
  return blocks * 2.0 / 1048576.0;
}

std::string MakePrintable(const uint8_t* bytes, size_t n) {
  std::string copy(reinterpret_cast<const char*>(bytes), n);
  for (char& c : copy) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x20 || b > 0x7E) c = '.';
  }
  return copy;
}

}  // namespace media
