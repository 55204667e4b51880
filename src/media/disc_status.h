// Whether more can be written on the disc in the selected drive, and how much: blank,
// appendable, finished or overwritable, its sessions and its free blocks. Every number is one
// the drive gave and that holds together; where the drive refuses a command, answers short or
// gives a number no disc of its kind can have, the number is left out ("the drive does not
// say") rather than guessed.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"

namespace media {

inline constexpr uint32_t kBlockBytes = 2048;

enum class DiscState : uint8_t {
  Unknown,       // the drive does not say
  Blank,         // nothing written yet
  Appendable,    // written, and a new session can follow
  Complete,      // finished (closed): nothing more can be written
  Overwritable,  // written in place, at any block (DVD+RW, DVD-RAM, BD-RE, DVD-RW restricted
                 // overwrite); its free space is the formatted capacity
  Other,         // a state the drive gives no meaning for writing
};

enum class SessionState : uint8_t { Unknown, Empty, Incomplete, Damaged, Complete };

struct DiscStatus {
  bool disc = false;     // false: no disc in the drive
  uint16_t profile = 0;  // the drive's current profile; 0 when it does not say
  DiscState state = DiscState::Unknown;
  std::optional<bool> erasable;
  // The sessions that hold something: the empty session a drive counts at the end of an open
  // disc is not one of them.
  std::optional<uint32_t> sessions;
  SessionState lastSession = SessionState::Unknown;
  std::optional<uint32_t> freeBlocks;
  // What a finished disc holds, in blocks.
  std::optional<uint32_t> recordedBlocks;
  // An overwritable disc: formatted, or the capacity it will have once formatted.
  bool formatted = false;

  std::optional<uint64_t> FreeBytes() const {
    if (!freeBlocks) return std::nullopt;
    return uint64_t{*freeBlocks} * kBlockBytes;
  }
};

// The current profiles of discs that are written in place.
bool IsOverwritableProfile(uint16_t profile);

// The most blocks any disc of the profile's family holds; a count above it is no real count.
uint32_t MostBlocksForProfile(uint16_t profile);

// Waits for the drive, then asks the selected drive: the current profile (GET
// CONFIGURATION), then for an overwritable disc READ FORMAT CAPACITIES, for any other READ
// DISC INFORMATION and, as it says, READ TRACK INFORMATION of the track to write next
// (blank or appendable) or READ CAPACITY (finished). Each at most once.
DiscStatus ReadDiscStatus(device::AtapiDevice& device);

}  // namespace media
