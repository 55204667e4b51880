#include "media/drive_kind.h"

namespace media {
namespace {

constexpr uint8_t kCapabilitiesPage = 0x2A;
constexpr uint16_t kCapabilitiesLength = 42;
// Response offsets: the page follows the 8-byte mode parameter header.
constexpr size_t kReadCapabilities = 10;   // bit 3: DVD-ROM read
constexpr size_t kWriteCapabilities = 11;  // bit 0: CD-R write, bit 1: CD-RW write

constexpr uint16_t kProfileListLength = 248;
constexpr size_t kProfileListAdditionalLength = 11;
constexpr size_t kFirstProfileLowByte = 13;

unsigned ProfileWeightSum(const device::AtapiDevice& device) {
  unsigned sum = 0;
  bool dvdRwCounted = false;
  const unsigned additionalLength = device.ResponseByte(kProfileListAdditionalLength);
  // Never past the bytes asked for: what lies beyond is an earlier command's answer.
  for (unsigned i = 0; i < additionalLength && kFirstProfileLowByte + i < kProfileListLength;
       i += 4) {
    switch (device.ResponseByte(kFirstProfileLowByte + i)) {
      case 0x11:
        sum += 1;
        break;
      case 0x13:
      case 0x14:
        if (!dvdRwCounted) sum += 2;
        dvdRwCounted = true;
        break;
      case 0x1B:
        sum += 4;
        break;
      case 0x1A:
        sum += 8;
        break;
      case 0x12:
        sum += 9;
        break;
      case 0x40:
        sum += 25;
        break;
      case 0x41:
        sum += 26;
        break;
      case 0x42:
        sum += 27;
        break;
      case 0x43:
        sum += 28;
        break;
      default:
        break;
    }
  }
  return sum;
}

}  // namespace

DriveKind DriveKindOfWeightSum(unsigned sum) {
  switch (sum) {
    case 1:
      return 5;
    case 2:
      return 8;
    case 3:
      return 10;
    case 4:
      return 6;
    case 12:
      return 9;
    case 15:
      return 11;
    case 24:
      return 12;
    case 40:
      return 13;
    case 66:
      return 14;
    case 93:
      return 15;
    case 121:
      return 16;
    default:
      return kDriveCombo;
  }
}

DriveKind DetectDriveKind(device::AtapiDevice& device) {
  device.ClearUnitAttention();
  if (!device.ModeSense10(0, 0, kCapabilitiesPage, kCapabilitiesLength, 0)) return kDriveUnknown;
  const bool dvdRomRead = (device.ResponseByte(kReadCapabilities) & 0x08) != 0;
  const bool cdrWrite = (device.ResponseByte(kWriteCapabilities) & 0x01) != 0;
  const bool cdrwWrite = (device.ResponseByte(kWriteCapabilities) & 0x02) != 0;
  if (!cdrWrite && !dvdRomRead) return kDriveCdRom;
  if (dvdRomRead && !cdrwWrite) return 2;
  if (!dvdRomRead && cdrwWrite) return 3;
  if (!device.GetConfiguration(2, 0x0000, kProfileListLength, 0)) return kDriveCombo;
  return DriveKindOfWeightSum(ProfileWeightSum(device));
}

bool CanWriteCdr(device::AtapiDevice& device) {
  return device.ModeSense10(0, 0, kCapabilitiesPage, kCapabilitiesLength, 0) &&
         (device.ResponseByte(kWriteCapabilities) & 0x01) != 0;
}

bool ClassifyDriveEntry(device::AtapiDevice& device, int index) {
  const DriveKind kind = DetectDriveKind(device);
  device.SetDriveKind(static_cast<unsigned>(index), kind, DriveKindName(kind));
  return true;
}

void DescribeDrive(device::AtapiDevice& device, int index) {
  device.SetWritesCdR(static_cast<unsigned>(index), CanWriteCdr(device));
  ClassifyDriveEntry(device, index);
}

std::unique_ptr<device::AtapiDevice> CreateDevice(platform::System& system, bool preferAspi,
                                                  bool keepAnswers) {
  device::DeviceOptions options;
  options.preferAspi = preferAspi;
  options.keepAnswers = keepAnswers;
  options.describe = DescribeDrive;
  return std::make_unique<device::AtapiDevice>(system, std::move(options));
}

}  // namespace media
