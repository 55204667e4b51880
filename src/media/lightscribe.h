// LightScribe support of the drive and the side of a LightScribe disc that faces the laser.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/atapi_device.h"

namespace media {

enum LightScribeState : int32_t {
  kNoLightScribe = 0,
  kLightScribeNoDisc = 1,
  kLightScribeDataSide = 2,
  kLightScribeLabelSide = 3,
  kLightScribePageFailed = 4,
};

// Asks for the vendor feature FF33h, then reads mode page 32h. With states 1 to 3 the
// response buffer still holds the page until the next command.
int32_t GetLightScribeState(device::AtapiDevice& device);

// The seven label-side lines from the page 32h answer, the device's last answer; call it
// right after GetLightScribeState returned 3, before any other command.
std::vector<std::string> LabelSideLines(const device::AtapiDevice& device);

}  // namespace media
