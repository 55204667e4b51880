// Sense data from the kernel may come in descriptor format; the device layer reads the
// fixed format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace platform {

// Rewrites descriptor-format sense (response codes 72h/73h) as fixed-format sense with
// the same sense key, ASC and ASCQ; fixed-format sense is left as it is.
void NormaliseSense(std::array<uint8_t, 32>& sense, size_t length);

}  // namespace platform
