#include "media/media_id.h"

#include <algorithm>

namespace media {
namespace {

constexpr uint16_t kPhysicalFormatLength = 34;
constexpr size_t kAdipMidAt = 23;  // physical format bytes 19-26
constexpr size_t kAdipTidAt = 31;  // physical format bytes 27-29
constexpr uint16_t kPreRecordedLength = 48;
constexpr size_t kMinusMidFirstAt = 21;   // information bytes of the field at offset 20
constexpr size_t kMinusMidSecondAt = 29;  // information bytes of the field at offset 28
constexpr size_t kVendorTidAt = 8;

constexpr uint16_t kFormatCapacitiesLength = 96;
constexpr size_t kListLengthByte = 3;
constexpr size_t kCurrentBlocksAt = 4;
constexpr size_t kCurrentTypeByte = 8;
constexpr uint8_t kUnformattedMedium = 1;
// Descriptor k lies at 4 + 8k to 11 + 8k; only those inside the bytes asked for count.
constexpr int kLastDescriptorAsked = (kFormatCapacitiesLength - 12) / 8;
constexpr uint8_t kFormatTypeOrder[] = {0x10, 0x15, 0x26, 0x00};

void CopyResponse(const device::AtapiDevice& device, size_t from, size_t count, uint8_t* to) {
  for (size_t i = 0; i < count; ++i) to[i] = device.ResponseByte(from + i);
}

bool ReadPhysicalFormat(device::AtapiDevice& device) {
  return device.ReadDiscStructure(0, 0, 0x00, kPhysicalFormatLength, 0, 0);
}

}  // namespace

PlusMid ReadPlusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusMid mid{};
  if (driveKind > DriveKind::Combo && discKind >= DiscKind::DvdPlusRw &&
      device.ReadVendorMediaId()) {
    CopyResponse(device, 0, 8, mid.data());
  } else if (ReadPhysicalFormat(device)) {
    CopyResponse(device, kAdipMidAt, 8, mid.data());
  }
  return mid;
}

PlusTid ReadPlusTypeId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  PlusTid tid{};
  // The fourth byte of the vendor answer's type field is not part of the shown ID.
  if (driveKind > DriveKind::Combo && discKind != DiscKind::DvdPlusRw &&
      device.ReadVendorMediaId()) {
    CopyResponse(device, kVendorTidAt, 3, tid.data());
  } else if (ReadPhysicalFormat(device)) {
    CopyResponse(device, kAdipTidAt, 3, tid.data());
  }
  return tid;
}

MinusMid ReadMinusMediaId(device::AtapiDevice& device, DriveKind driveKind, DiscKind discKind) {
  MinusMid mid{};
  if (driveKind > DriveKind::DvdMinusRw && discKind >= DiscKind::DvdPlusRw &&
      device.ReadVendorMediaId()) {
    CopyResponse(device, 0, 12, mid.data());
  } else if (device.ReadDiscStructure(0, 0, 0x0E, kPreRecordedLength, 0, 0)) {
    CopyResponse(device, kMinusMidFirstAt, 6, mid.data());
    CopyResponse(device, kMinusMidSecondAt, 6, mid.data() + 6);
  }
  return mid;
}

uint32_t ReadFormattedCapacity(device::AtapiDevice& device) {
  if (!device.ReadFormatCapacities(kFormatCapacitiesLength, 0)) return 0;
  if ((device.ResponseByte(kCurrentTypeByte) & 3) == kUnformattedMedium) {
    return device.ReadBE32(kCurrentBlocksAt);
  }
  const int listed = device.ResponseByte(kListLengthByte) / 8;
  const int last = std::min(listed - 1, kLastDescriptorAsked);
  for (uint8_t formatType : kFormatTypeOrder) {
    for (int k = 1; k <= last; ++k) {
      const size_t at = 4 + 8 * static_cast<size_t>(k);
      if ((device.ResponseByte(at + 4) >> 2) == formatType) return device.ReadBE32(at);
    }
  }
  return device.ReadBE32(kCurrentBlocksAt);
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
