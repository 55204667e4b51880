#include "media/disc_status.h"

#include "device/sense.h"
#include "media/answers/configuration.h"
#include "media/answers/disc_information.h"
#include "media/answers/format_capacities.h"
#include "media/answers/recorded_capacity.h"
#include "media/answers/track_information.h"

namespace media {
namespace {

constexpr int kReadyWaitSeconds = 60;
// The same request the classification of the disc sends, so that a query that has made the
// report already holds its answer.
constexpr uint16_t kDiscInformationLength = 34;
constexpr uint16_t kTrackInformationLength = 48;
constexpr uint16_t kFormatCapacitiesLength = 96;

// A 99-minute CD, a DVD+R DL and a four-layer BD rounded up: no disc of the family holds more.
constexpr uint32_t kMostCdBlocks = 450'000;
constexpr uint32_t kMostDvdBlocks = 4'200'000;
constexpr uint32_t kMostBdBlocks = 64'000'000;

SessionState SessionStateOf(uint8_t code) {
  switch (code) {
    case 0:
      return SessionState::Empty;
    case 1:
      return SessionState::Incomplete;
    case 2:
      return SessionState::Damaged;
    default:
      return SessionState::Complete;
  }
}

DiscState DiscStateOf(uint8_t code) {
  switch (code) {
    case 0:
      return DiscState::Blank;
    case 1:
      return DiscState::Appendable;
    case 2:
      return DiscState::Complete;
    default:
      return DiscState::Other;
  }
}

// The free blocks of the track to write next, when the answer holds together: the drive gives
// a writable address, and the free space neither exceeds the track nor runs past the largest
// disc of the kind from that address.
std::optional<uint32_t> FreeBlocksOf(const TrackInformation& track, uint32_t most) {
  if (!track.Complete() || !track.NextWritableValid()) return std::nullopt;
  const uint32_t free = track.FreeBlocks();
  if (free > most) return std::nullopt;
  if (track.TrackSize() != 0 && free > track.TrackSize()) return std::nullopt;
  if (uint64_t{track.NextWritable()} + free > most) return std::nullopt;
  return free;
}

void ReadOverwritable(device::AtapiDevice& device, DiscStatus& status) {
  status.state = DiscState::Overwritable;
  status.erasable = true;
  const auto capacities = ReadFormatCapacitiesAnswer(device, kFormatCapacitiesLength);
  if (!capacities || device.BytesTransferred() < FormatCapacities::kCurrentTypeByte + 1) return;
  const uint32_t blocks = capacities->CurrentBlocks();
  if (blocks == 0 || blocks > MostBlocksForProfile(status.profile)) return;
  status.freeBlocks = blocks;
  status.formatted = !capacities->Unformatted();
}

void ReadWriteOnce(device::AtapiDevice& device, DiscStatus& status) {
  const auto info = ReadDiscInformationAnswer(device, kDiscInformationLength);
  if (!info || !info->Complete()) return;
  status.state = DiscStateOf(info->DiscStatus());
  status.erasable = info->Erasable();
  status.lastSession = SessionStateOf(info->LastSessionState());
  const uint32_t counted = info->Sessions();
  const bool emptyLast = status.lastSession == SessionState::Empty && counted > 0;
  status.sessions = counted - (emptyLast ? 1 : 0);
  const uint16_t nextTrack = info->LastTrackInLastSession();
  const uint32_t most = MostBlocksForProfile(status.profile);

  if (status.state == DiscState::Blank || status.state == DiscState::Appendable) {
    if (nextTrack == 0) return;
    const auto track = ReadTrackInformationAnswer(device, nextTrack, kTrackInformationLength);
    if (track) status.freeBlocks = FreeBlocksOf(*track, most);
  } else if (status.state == DiscState::Complete) {
    status.freeBlocks = 0;
    const auto capacity = ReadRecordedCapacity(device);
    if (capacity && capacity->Complete() && capacity->LastBlock() < most) {
      status.recordedBlocks = capacity->LastBlock() + 1;
    }
  }
}

}  // namespace

bool IsOverwritableProfile(uint16_t profile) {
  switch (profile) {
    case 0x0012:  // DVD-RAM
    case 0x0013:  // DVD-RW, restricted overwrite
    case 0x001A:  // DVD+RW
    case 0x002A:  // DVD+RW DL
    case 0x0043:  // BD-RE
      return true;
    default:
      return false;
  }
}

uint32_t MostBlocksForProfile(uint16_t profile) {
  if (profile >= 0x0008 && profile <= 0x000A) return kMostCdBlocks;
  if (profile >= 0x0010 && profile <= 0x002B) return kMostDvdBlocks;
  return kMostBdBlocks;
}

DiscStatus ReadDiscStatus(device::AtapiDevice& device) {
  DiscStatus status;
  device.WaitUntilReady(kReadyWaitSeconds);
  if (device::Classify(device.LastSense()) == device::SenseClass::NoMedium) return status;
  status.disc = true;
  if (const auto configuration = ReadCurrentProfileAnswer(device)) {
    if (device.BytesTransferred() >= Configuration::kCurrentProfileAt + 2) {
      status.profile = configuration->CurrentProfile();
    }
  }
  if (IsOverwritableProfile(status.profile)) {
    ReadOverwritable(device, status);
  } else {
    ReadWriteOnce(device, status);
  }
  return status;
}

}  // namespace media
