#include "platform/linux/sense_format.h"

namespace platform {

void NormaliseSense(std::array<uint8_t, 32>& sense, size_t length) {
  if (length < 4) return;
  const uint8_t code = sense[0] & 0x7F;
  if (code != 0x72 && code != 0x73) return;
  const uint8_t key = sense[1] & 0x0F;
  const uint8_t asc = sense[2];
  const uint8_t ascq = sense[3];
  sense.fill(0);
  sense[0] = code == 0x72 ? 0x70 : 0x71;
  sense[2] = key;
  sense[7] = 10;
  sense[12] = asc;
  sense[13] = ascq;
}

}  // namespace platform
