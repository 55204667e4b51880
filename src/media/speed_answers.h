// The write speeds a drive offers for the inserted disc, as its two answers list them: the
// write speed descriptors of GET PERFORMANCE and those of the capabilities page (2Ah). Both
// are read once, early in a query, before anything changes the drive's speed.
#pragma once

#include <cstdint>
#include <vector>

#include "device/atapi_device.h"

namespace media {

enum class SpeedSource : uint8_t { Performance, ModePage };

// The rotation control of a descriptor: 0 constant linear velocity, 1 constant angular
// velocity; the drive may give any two-bit value.
enum class Rotation : uint8_t { Clv = 0, Cav = 1, Reserved2 = 2, Reserved3 = 3 };

struct OfferedSpeed {
  uint32_t kbps = 0;
  Rotation rotation = Rotation::Clv;
  SpeedSource source = SpeedSource::Performance;
};

// One source's list, and how far it can be believed.
struct SpeedList {
  bool answered = false;  // the command succeeded
  // The answer says it lists more descriptors than arrived; only those that arrived are here.
  bool cut = false;
  std::vector<OfferedSpeed> speeds;
};

struct SpeedAnswers {
  SpeedList performance;
  SpeedList modePage;
};

// Decodes the answers in the response buffer; `transferred` is what the drive sent.
SpeedList DecodePerformanceSpeeds(const device::ResponseView& answer, uint32_t transferred);
SpeedList DecodeModePageSpeeds(const device::ResponseView& answer, uint32_t transferred);

// Sends GET PERFORMANCE (write speeds) and MODE SENSE of the whole capabilities page.
SpeedAnswers ReadSpeedAnswers(device::AtapiDevice& device);

}  // namespace media
