// The full write-speed table of a drive for the inserted disc: both sources merged into one
// list, fastest first, each speed in kB/s and as a multiple of 1x for the disc's family, the
// speed the drive picks marked, and every answer that cannot be trusted flagged. A plain
// description with no toolkit in it: the terminal prints it, the window can draw it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/disc_rating.h"
#include "media/kinds.h"
#include "media/speed_answers.h"

namespace media {

// The family whose 1x the multiples count in.
enum class SpeedFamily : uint8_t { Cd, Dvd, Bd };

inline constexpr double kCdOneXKbps = 176.4;
inline constexpr double kDvdOneXKbps = 1385;
inline constexpr double kBdOneXKbps = 4495.5;
// Some drives count DVD speeds in multiples of 1352 kB/s (1000-byte kilobytes).
inline constexpr double kDvdOneX1352Kbps = 1352;

// A rating is exceeded only by more than rounding: CD 1x is 176.4 kB/s, drives often count 176.
inline constexpr double kRatingTolerance = 1.02;

// Flags of one row.
enum SpeedFlag : uint32_t {
  kSpeedZero = 1u << 0,         // the drive lists a speed of 0
  kSpeedUnits1352 = 1u << 1,    // a DVD speed counted in units of 1352 kB/s
  kSpeedCdForDvd = 1u << 2,     // below DVD 1x: a CD speed in a DVD's list
  kSpeedAboveRating = 1u << 3,  // faster than the disc is rated for
  kSpeedExcessive = 1u << 4,    // faster than any disc of the family is written
};

struct SpeedRow {
  uint32_t kbps = 0;
  double x = 0;  // the multiple of 1x; for a row in 1352 units, of 1352 kB/s
  Rotation rotation = Rotation::Clv;
  SpeedSource source = SpeedSource::Performance;  // where it was found first
  bool alsoInOtherSource = false;
  bool picked = false;
  uint32_t flags = 0;
};

// Flags of the whole table: reasons not to trust it as a whole.
enum SpeedTableFlag : uint32_t {
  kTableNoPerformance = 1u << 0,     // GET PERFORMANCE failed
  kTableZeroSpeeds = 1u << 1,        // a source lists a speed of 0
  kTableSingleDescriptor = 1u << 2,  // only one speed at all
  kTableAboveRating = 1u << 3,       // a speed above the disc's rating
  kTableCut = 1u << 4,               // a source lists more descriptors than arrived
  kTableUnits1352 = 1u << 5,         // DVD speeds counted in 1352 kB/s
  kTableCdForDvd = 1u << 6,          // CD speeds in a DVD's list
  kTablePickedNotListed = 1u << 7,   // the picked speed is in neither list
  kTableExcessive = 1u << 8,         // a speed no disc of the family is written at
  kTableNoModePage = 1u << 9,        // the capabilities page could not be read
};

struct SpeedTable {
  SpeedFamily family = SpeedFamily::Cd;
  double oneXKbps = kCdOneXKbps;
  std::vector<SpeedRow> rows;  // fastest first, no two alike (speed and rotation)
  std::optional<uint32_t> pickedKbps;
  std::optional<DiscRating> rating;
  uint32_t flags = 0;
  bool performanceAnswered = false;
  bool modePageAnswered = false;
  // The fastest row that can be trusted (no flag): the drive's highest offer; none when no
  // row can be.
  std::optional<double> HighestTrustedX() const;
};

SpeedFamily FamilyOfDisc(DiscKind kind);
double OneXKbps(SpeedFamily family);

// Merges both sources for the disc of `kind`. `pickedKbps` is the speed the drive selects
// once asked for its maximum (none when it did not tell); `rating` the disc's.
SpeedTable BuildSpeedTable(const SpeedAnswers& answers, DiscKind kind,
                           std::optional<uint32_t> pickedKbps, std::optional<DiscRating> rating);

}  // namespace media
