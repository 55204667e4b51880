#include "media/speed_verdict.h"

#include <cmath>

#include "text/format_c.h"

namespace media {

std::string MultipleText(double x) {
  const bool whole = std::fabs(x - std::round(x)) < 0.05;
  return (whole ? text::FormatC("%.0f", x) : text::FormatC("%.1f", x)) + "\xC3\x97";
}

std::optional<std::string> SpeedVerdict(const SpeedTable& table) {
  if (!table.rating || table.rating->highestX <= 0) return std::nullopt;
  const std::optional<double> offered = table.HighestTrustedX();
  if (!offered) return std::nullopt;
  const double rated = table.rating->highestX;
  if (*offered > rated * kRatingTolerance)
    return "This drive offers up to " + MultipleText(*offered) + " for a disc rated " +
           MultipleText(rated) + ": it allows overspeed";
  if (*offered >= rated * kWellBelowShare) return std::nullopt;
  return "This drive offers at most " + MultipleText(*offered) + " for a disc rated " +
         MultipleText(rated) +
         ": it may not know this media code; a firmware update or other discs may help";
}

}  // namespace media
