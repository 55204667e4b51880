// What a drive said about a command that failed: its sense key, additional sense code and
// qualifier, and the few situations the program tells apart.
#pragma once

#include <cstdint>
#include <span>

namespace device {

struct Sense {
  uint8_t key = 0;   // low four bits of fixed-format sense byte 2
  uint8_t asc = 0;   // byte 12
  uint8_t ascq = 0;  // byte 13
  bool operator==(const Sense&) const = default;
};

enum class SenseClass {
  None,            // no sense key: nothing the drive complained about
  NoMedium,        // NOT READY, medium not present (3Ah): a settled state
  BecomingReady,   // NOT READY, logical unit not ready (04h): wait and ask again
  NotReady,        // NOT READY for another reason
  UnitAttention,   // the drive was reset or its disc changed
  IllegalRequest,  // the drive does not know or take the command
  Other,           // medium, hardware and every other error
};

// The key and codes of the sense data a drive returned, in the fixed format (response code
// 70h/71h) or the descriptor format (72h/73h); zeros when the data is too short to hold them.
Sense SenseFromData(std::span<const uint8_t> data);

SenseClass Classify(const Sense& sense);

}  // namespace device
