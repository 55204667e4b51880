// The write speeds the disc itself says it is made for. A recordable CD may carry them in its
// ATIP (the A1 values: lowest and highest CLV recording speed); a DVD+R, +R DL or +RW in its
// ADIP (the recording velocities of the physical format information). Other DVDs and BDs
// carry no rating this program reads, so they get no verdict: the pre-pit fields of a DVD-R
// or -RW (format 0Eh: application and physical codes, the last recordable address, the OPC
// and write strategy codes, the manufacturer ID) name no speed; a DVD-R DL or -RW DL has
// recording speed fields in its physical format information (bytes 17 to 25) whose coding
// no public source gives without contradiction; and the write strategy part of a BD's disc
// information is not publicly described.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "device/atapi_device.h"
#include "media/answers/dvd_structures.h"
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

// The speed of an ADIP recording velocity code (0.25 m/s units) as a multiple of DVD 1x, for
// a single- or dual-layer disc: the step of the ladder + discs are sold at that the code is
// nearest to; 0 for a code that names none.
double AdipVelocityX(uint8_t code, bool dualLayer);

// The rating of the physical format answer of a + disc of `kind` (DVD+R, +R DL or +RW), of
// which `sent` bytes arrived: the slowest and fastest of the velocities present; none when no
// velocity is.
std::optional<DiscRating> RatingOfAdip(const PhysicalFormat& format, size_t sent, DiscKind kind);

// Reads the rating of the disc of `kind`: the ATIP or the physical format exactly as the
// query reads it, so the query's kept answer is given again; none where the disc carries no
// rating.
std::optional<DiscRating> ReadDiscRating(device::AtapiDevice& device, DiscKind kind);

}  // namespace media
