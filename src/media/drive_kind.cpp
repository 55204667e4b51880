#include "media/drive_kind.h"

#include <array>

#include "media/answers/capabilities_page.h"
#include "media/answers/configuration.h"

namespace media {
namespace {

// The profile weights add up to a sum that names the drive's writing abilities. DVD-RW in
// restricted overwrite (13h) and sequential (14h) mode is counted once.
struct ProfileWeight {
  uint8_t profile;
  unsigned weight;
};
constexpr std::array<ProfileWeight, 10> kProfileWeights{{
    {0x11, 1},   // DVD-R
    {0x13, 2},   // DVD-RW, either mode
    {0x14, 2},   //
    {0x1B, 4},   // DVD+R
    {0x1A, 8},   // DVD+RW
    {0x12, 9},   // DVD-RAM
    {0x40, 25},  // BD-ROM
    {0x41, 26},  // BD-R sequential
    {0x42, 27},  // BD-R random
    {0x43, 28},  // BD-RE
}};

struct WeightSumKind {
  unsigned sum;
  DriveKind kind;
};
constexpr std::array<WeightSumKind, 11> kWeightSumKinds{{
    {1, DriveKind::DvdMinusR},
    {2, DriveKind::DvdMinusRw},
    {3, DriveKind::DvdMinusRMinusRw},
    {4, DriveKind::DvdPlusR},
    {12, DriveKind::DvdPlusRPlusRw},
    {15, DriveKind::DvdDual},
    {24, DriveKind::DvdSuperMulti},
    {40, DriveKind::BdRom},
    {66, DriveKind::BdR},
    {93, DriveKind::BdRDual},
    {121, DriveKind::BdRecordable},
}};

unsigned ProfileWeightSum(const Configuration& list) {
  unsigned sum = 0;
  bool dvdRwCounted = false;
  const unsigned additionalLength = list.ProfileListLength();
  constexpr unsigned kStep = Configuration::kProfileDescriptorSize;
  for (unsigned at = 0; at < additionalLength; at += kStep) {
    const uint8_t profile = list.ProfileAt(at / kStep);
    const bool dvdRw = profile == 0x13 || profile == 0x14;
    if (dvdRw && dvdRwCounted) continue;
    for (const ProfileWeight& row : kProfileWeights) {
      if (row.profile != profile) continue;
      sum += row.weight;
      dvdRwCounted = dvdRwCounted || dvdRw;
    }
  }
  return sum;
}

}  // namespace

DriveKind DriveKindOfWeightSum(unsigned sum) {
  for (const WeightSumKind& row : kWeightSumKinds) {
    if (row.sum == sum) return row.kind;
  }
  return DriveKind::Combo;
}

DriveKind DetectDriveKind(device::AtapiDevice& device) {
  device.ClearUnitAttention();
  const auto page = ReadCapabilitiesPage(device);
  if (!page) return DriveKind::Unknown;
  const bool dvdRomRead = page->ReadsDvdRom();
  const bool cdrWrite = page->WritesCdR();
  const bool cdrwWrite = page->WritesCdRw();
  if (!cdrWrite && !dvdRomRead) return DriveKind::CdRom;
  if (dvdRomRead && !cdrwWrite) return DriveKind::DvdRom;
  if (!dvdRomRead && cdrwWrite) return DriveKind::CdRw;
  const auto profiles = ReadProfileList(device);
  if (!profiles) return DriveKind::Combo;
  return DriveKindOfWeightSum(ProfileWeightSum(*profiles));
}

bool CanWriteCdr(device::AtapiDevice& device) {
  const auto page = ReadCapabilitiesPage(device);
  return page && page->WritesCdR();
}

bool ClassifyDriveEntry(device::AtapiDevice& device, int index) {
  const DriveKind kind = DetectDriveKind(device);
  device.SetDriveKind(static_cast<unsigned>(index), Code(kind), DriveKindName(kind));
  return true;
}

void DescribeDrive(device::AtapiDevice& device, int index) {
  device.SetWritesCdR(static_cast<unsigned>(index), CanWriteCdr(device));
  ClassifyDriveEntry(device, index);
}

std::unique_ptr<device::AtapiDevice> CreateDevice(platform::System& system, bool preferAspi,
                                                  bool keepAnswers, Identify identify) {
  device::DeviceOptions options;
  options.preferAspi = preferAspi;
  options.keepAnswers = keepAnswers;
  options.describe = DescribeDrive;
  options.identifyOnDemand = identify == Identify::OnDemand;
  options.identifyInParallel = identify == Identify::InParallel;
  return std::make_unique<device::AtapiDevice>(system, std::move(options));
}

}  // namespace media
