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

// Copies `count` bytes from `at` of the vendor media-ID answer when `ask` and the drive gives
// the answer; false when nothing was copied.
bool CopyFromVendorAnswer(device::AtapiDevice& device, bool ask, size_t at, size_t count,
                          uint8_t* to) {
  if (!ask) return false;
  const auto vendor = ReadVendorMediaIdAnswer(device);
  if (!vendor) return false;
  vendor->answer.Copy(at, count, to);
  return true;
}

// The same from the ADIP bytes of the physical format, when the drive gives them.
void CopyFromAdip(device::AtapiDevice& device, size_t at, size_t count, uint8_t* to) {
  if (const auto format = ReadPhysicalFormat(device, PhysicalFormat::kIdLength))
    format->answer.Copy(at, count, to);
}

}  // namespace

PlusMid ReadPlusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusMid mid{};
  const bool askVendor = IsDvdWriter(driveKind) && HasAdipKey(discKind);
  if (!CopyFromVendorAnswer(device, askVendor, VendorMediaId::kMidAt, 8, mid.data()))
    CopyFromAdip(device, PhysicalFormat::kAdipMidAt, 8, mid.data());
  return mid;
}

PlusTid ReadPlusTypeId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusTid tid{};
  // The fourth byte of the vendor answer's type field is not part of the shown ID.
  const bool askVendor = IsDvdWriter(driveKind) && discKind != DiscKind::DvdPlusRw;
  if (!CopyFromVendorAnswer(device, askVendor, VendorMediaId::kTidAt, 3, tid.data()))
    CopyFromAdip(device, PhysicalFormat::kAdipTidAt, 3, tid.data());
  return tid;
}

MinusMid ReadMinusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  MinusMid mid{};
  const bool askVendor = IsMultiDvdWriter(driveKind) && HasAdipKey(discKind);
  if (CopyFromVendorAnswer(device, askVendor, VendorMediaId::kMidAt, 12, mid.data())) return mid;
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
