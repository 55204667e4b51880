// The disc's rating against the drive's offer, in one plain sentence.
#pragma once

#include <optional>
#include <string>

#include "media/speed_table.h"

namespace media {

// The highest trusted offer counts as well below the rating under this share of it: a full
// step down the usual ladders (48x to 32x, 16x to 8x, 24x to 16x) says so, one rounding step
// (16x to 12x, 48x to 40x, 32x to 24x) does not.
inline constexpr double kWellBelowShare = 0.75;

// "16×", "2.4×": a whole multiple without decimals, any other with one; UTF-8.
std::string MultipleText(double x);

// The verdict when the drive's highest trusted offer is well below the disc's rating, or
// above it by more than rounding (the drive allows overspeed); none when the disc has no
// rating, the drive offers nothing that can be trusted, or the offer is near the rating.
// (Whether a drive falls back to a generic strategy for a media code it does not know shows
// in no answer the program reads, so no verdict says it.)
std::optional<std::string> SpeedVerdict(const SpeedTable& table);

}  // namespace media
