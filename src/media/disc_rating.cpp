#include "media/disc_rating.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "media/answers/atip_answer.h"

namespace media {
namespace {

// DVD 1x is 3.49 m/s on a single-layer disc and 3.84 m/s on a dual-layer one; the ADIP codes
// velocities in quarters of a metre per second, rounded (as an 8x DVD+R's extended block
// carries 54h, about 21 m/s or 6x, and 70h, about 28 m/s or 8x).
constexpr double kCodesPerMetrePerSecond = 4;
constexpr double kSingleLayerOneXMetresPerSecond = 3.49;
constexpr double kDualLayerOneXMetresPerSecond = 3.84;

// The multiples + discs are rated at. Discs round their codes, and the codes of real discs
// are known to stray a few per cent from the nominal velocity, so a code counts as the
// nearest step within 8 % of it; one further off names no speed rather than a guessed one.
constexpr std::array<double, 8> kPlusRatedSteps{1, 2, 2.4, 4, 6, 8, 12, 16};
constexpr double kStepTolerance = 0.08;

}  // namespace

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

double AdipVelocityX(uint8_t code, bool dualLayer) {
  const double oneX =
      (dualLayer ? kDualLayerOneXMetresPerSecond : kSingleLayerOneXMetresPerSecond) *
      kCodesPerMetrePerSecond;
  const double x = code / oneX;
  double nearest = 0;
  for (double step : kPlusRatedSteps) {
    if (std::fabs(x - step) < std::fabs(x - nearest)) nearest = step;
  }
  return nearest > 0 && std::fabs(x - nearest) <= nearest * kStepTolerance ? nearest : 0;
}

std::optional<DiscRating> RatingOfAdip(const PhysicalFormat& format, size_t sent, DiscKind kind) {
  const bool dualLayer = IsDoubleLayer(kind);
  // Only bytes that arrived and that the answer's length field covers count.
  const size_t held = std::min({sent, format.DeclaredSize(), format.answer.Size()});
  const auto byteAt = [&](size_t at) -> uint8_t { return at < held ? format.answer.At(at) : 0; };
  std::optional<DiscRating> rating;
  const auto add = [&](size_t at) {
    const double x = AdipVelocityX(byteAt(at), dualLayer);
    if (x == 0) return;
    if (!rating) rating = DiscRating{x, x};
    rating->lowestX = std::min(rating->lowestX, x);
    rating->highestX = std::max(rating->highestX, x);
  };
  const size_t inUseEnd = PhysicalFormat::kHeaderSize + byteAt(PhysicalFormat::kAdipBytesInUseAt);
  if (PhysicalFormat::kPrimaryVelocityAt < inUseEnd) add(PhysicalFormat::kPrimaryVelocityAt);
  // On a DVD+RW the byte after the velocity is a read power, not a velocity.
  if (kind != DiscKind::DvdPlusRw && PhysicalFormat::kUpperVelocityAt < inUseEnd)
    add(PhysicalFormat::kUpperVelocityAt);
  const uint8_t indicators = byteAt(PhysicalFormat::kExtendedIndicatorsAt);
  for (size_t i = 0; i < PhysicalFormat::kExtendedBlockCount; ++i) {
    const size_t block = PhysicalFormat::ExtendedBlockAt(i);
    const uint8_t formatNumber = byteAt(block);
    if ((indicators >> i & 1) == 0 || formatNumber == 0 ||
        (formatNumber & PhysicalFormat::kExtendedContinuationBit) != 0)
      continue;
    add(block + PhysicalFormat::kExtendedPrimaryVelocityInBlock);
    add(block + PhysicalFormat::kExtendedUpperVelocityInBlock);
  }
  return rating;
}

std::optional<DiscRating> ReadDiscRating(device::AtapiDevice& device, DiscKind kind) {
  if (InfoOf(kind).ids == DvdIds::Plus) {
    // The length the disc classification reads, whose answer the query keeps.
    const auto format = ReadPhysicalFormat(device, PhysicalFormat::kWithDvdRamRecordLength);
    if (!format) return std::nullopt;
    return RatingOfAdip(*format, device.BytesTransferred(), kind);
  }
  if (!IsCdR(kind) && !IsCdRw(kind)) return std::nullopt;
  const auto atip = ReadAtip(device, true, AtipAnswer::kTimesLength);
  // A header without a descriptor, or a table of contents in its place, carries nothing.
  if (!atip || size_t{atip->answer.BE16(0)} + 2 <= AtipAnswer::kA1At || !atip->IsAtip())
    return std::nullopt;
  return RatingOfAtipA1(atip->HasA1(), atip->LowestSpeedCode(), atip->HighestSpeedCode());
}

}  // namespace media
