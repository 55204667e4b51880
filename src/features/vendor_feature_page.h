// The vendor's mode page 30h as MODE SENSE(10) returns it, with its 8-byte mode parameter
// header: one bit per feature says whether the drive supports it, the same bit of the next
// byte whether it is on. Offsets count from the start of the answer.
#pragma once

#include <cstdint>

#include "device/response_view.h"
#include "platform/mmc_opcodes.h"

namespace features {

struct VendorFeaturePage {
  static constexpr uint8_t kPage = platform::mmc::kVendorFeaturePage;
  static constexpr uint16_t kLength = 24;
  static constexpr size_t kSupportByte = 10;
  static constexpr size_t kStateByte = 11;

  device::ResponseView answer;

  uint8_t Supported() const { return answer.At(kSupportByte); }
  uint8_t Active() const { return answer.At(kStateByte); }
};

}  // namespace features
