// What one query has read of the drive and the disc before it looks for the manufacturer:
// the search takes these instead of classifying the drive and the disc again, and asks the
// drive only for an ID the query has not read.
#pragma once

#include <cstdint>
#include <optional>

#include "media/disc_kind.h"
#include "media/kinds.h"
#include "media/media_id.h"

namespace media {

struct MediaFacts {
  // As the ID readers took it; nothing: classify the drive when an ID reader needs it.
  std::optional<DriveKind> driveKind;
  DiscKind discKind = DiscKind::None;
  // A CD's ATIP times.
  uint32_t leadIn = 0;
  uint32_t leadOut = 0;
  // A DVD's IDs as the report read them: the + IDs of a + disc, the - ID of the others.
  std::optional<PlusMid> plusMid;
  std::optional<MinusMid> minusMid;
  DvdRamRecord dvdRam{};
};

}  // namespace media
