// What the selected drive can read and write, from its capabilities page and profile list.
#pragma once

#include <memory>

#include "device/atapi_device.h"
#include "media/kinds.h"
#include "platform/system.h"

namespace media {

// Questions the selected drive afresh: unit attentions, page 2Ah, then the profile list.
DriveKind DetectDriveKind(device::AtapiDevice& device);

// The drive kind of a profile weight sum, COMBO for a sum not in the table.
DriveKind DriveKindOfWeightSum(unsigned sum);

// The kind the describe step stored in a drive-list entry.
inline DriveKind KindOf(const device::DriveEntry& entry) {
  return DriveKind{entry.Kind};
}

// A writer: it writes CD-R by its capabilities page, or it is of a writing kind.
inline bool IsWriter(const device::DriveEntry& entry) {
  return entry.WritesCdR || IsWriterKind(KindOf(entry));
}

// The capabilities page reports CD-R writing.
bool CanWriteCdr(device::AtapiDevice& device);

// Stores the kind and its name in the drive-list entry at `index`; always true.
bool ClassifyDriveEntry(device::AtapiDevice& device, int index);

// The describe step of enumeration: WritesCdR, then Kind and KindName.
void DescribeDrive(device::AtapiDevice& device, int index);

// When a device identifies its drives (see DeviceOptions): all at construction one after
// another, all at construction at the same time, or each when it is first asked for.
enum class Identify { InTurn, InParallel, OnDemand };

// An AtapiDevice whose enumeration classifies every drive it lists, when `identify` says.
std::unique_ptr<device::AtapiDevice> CreateDevice(platform::System& system, bool preferAspi = true,
                                                  bool keepAnswers = true,
                                                  Identify identify = Identify::InTurn);

}  // namespace media
