#include "media/disc_rating.h"

#include <array>

#include "media/answers/atip_answer.h"

namespace media {

double AtipSpeedCodeX(uint8_t code) {
  // Codes 5 and 7 and those past 11 name no speed that discs are known to carry.
  constexpr std::array<double, 12> kX{0, 2, 4, 6, 10, 0, 16, 0, 24, 32, 40, 48};
  return code < kX.size() ? kX[code] : 0;
}

std::optional<DiscRating> RatingOfAtipA1(bool valid, uint8_t lowestCode, uint8_t highestCode) {
  if (!valid) return std::nullopt;
  const double highest = AtipSpeedCodeX(highestCode);
  if (highest == 0) return std::nullopt;
  const double lowest = AtipSpeedCodeX(lowestCode);
  return DiscRating{lowest <= highest ? lowest : 0, highest};
}

std::optional<DiscRating> ReadDiscRating(device::AtapiDevice& device, DiscKind kind) {
  if (!IsCdR(kind) && !IsCdRw(kind)) return std::nullopt;
  const auto atip = ReadAtip(device, true, AtipAnswer::kTimesLength);
  // A header without a descriptor, or a table of contents in its place, carries nothing.
  if (!atip || size_t{atip->answer.BE16(0)} + 2 <= AtipAnswer::kA1At || !atip->IsAtip())
    return std::nullopt;
  return RatingOfAtipA1(atip->HasA1(), atip->LowestSpeedCode(), atip->HighestSpeedCode());
}

}  // namespace media
