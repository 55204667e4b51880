// The write speeds the disc itself says it is made for. A recordable CD may carry them in its
// ATIP (the A1 values: lowest and highest CLV recording speed). DVD and BD ratings are not
// read: the disc structures that may hold one are not decoded here, so those discs have no
// rating and get no verdict.
#pragma once

#include <cstdint>
#include <optional>

#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

struct DiscRating {
  double lowestX = 0;  // 0 when the disc names no lowest speed
  double highestX = 0;
};

// The speed of an ATIP recording speed code, as a multiple of CD 1x; 0 for a code that
// names no speed.
double AtipSpeedCodeX(uint8_t code);

// The rating of A1 values; none without a highest speed.
std::optional<DiscRating> RatingOfAtipA1(bool valid, uint8_t lowestCode, uint8_t highestCode);

// Reads the rating of the disc of `kind`: the ATIP exactly as the query reads it, so the
// query's kept answer is given again; none where the disc carries no rating.
std::optional<DiscRating> ReadDiscRating(device::AtapiDevice& device, DiscKind kind);

}  // namespace media
