#include "media/speed_table.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace media {
namespace {

// The multiples DVD writers are sold and rated at.
constexpr std::array<double, 15> kDvdSteps{1, 2, 2.4, 3, 4, 5, 6, 8, 10, 12, 16, 18, 20, 22, 24};
// 1352 and 1385 differ by 2.4 %: half a per cent tells which one a speed was counted in.
constexpr double kStepTolerance = 0.005;

// The fastest any disc of the family is written at, with a tenth to spare for rounding.
double FamilyCeilingX(SpeedFamily family) {
  switch (family) {
    case SpeedFamily::Cd:
      return 56 * 1.1;
    case SpeedFamily::Dvd:
      return 24 * 1.1;
    case SpeedFamily::Bd:
      return 16 * 1.1;
  }
  return 0;
}

bool NearDvdStep(double kbps, double oneX) {
  const double x = kbps / oneX;
  return std::any_of(kDvdSteps.begin(), kDvdSteps.end(),
                     [x](double step) { return std::fabs(x - step) <= step * kStepTolerance; });
}

bool CountedIn1352(uint32_t kbps) {
  return NearDvdStep(kbps, kDvdOneX1352Kbps) && !NearDvdStep(kbps, kDvdOneXKbps);
}

}  // namespace

SpeedFamily FamilyOfDisc(DiscKind kind) {
  if (IsDvdFamily(kind)) return SpeedFamily::Dvd;
  if (IsBdFamily(kind)) return SpeedFamily::Bd;
  return SpeedFamily::Cd;
}

double OneXKbps(SpeedFamily family) {
  switch (family) {
    case SpeedFamily::Cd:
      return kCdOneXKbps;
    case SpeedFamily::Dvd:
      return kDvdOneXKbps;
    case SpeedFamily::Bd:
      return kBdOneXKbps;
  }
  return kCdOneXKbps;
}

std::optional<double> SpeedTable::HighestTrustedX() const {
  std::optional<double> highest;
  for (const SpeedRow& row : rows) {
    if ((row.flags & (kSpeedZero | kSpeedCdForDvd | kSpeedExcessive)) != 0) continue;
    if (!highest || row.x > *highest) highest = row.x;
  }
  return highest;
}

SpeedTable BuildSpeedTable(const SpeedAnswers& answers, DiscKind kind,
                           std::optional<uint32_t> pickedKbps, std::optional<DiscRating> rating) {
  SpeedTable table;
  table.family = FamilyOfDisc(kind);
  table.oneXKbps = OneXKbps(table.family);
  table.rating = rating;
  table.performanceAnswered = answers.performance.answered;
  table.modePageAnswered = answers.modePage.answered;
  if (pickedKbps && *pickedKbps != 0) table.pickedKbps = pickedKbps;
  if (!table.performanceAnswered) table.flags |= kTableNoPerformance;
  if (!table.modePageAnswered) table.flags |= kTableNoModePage;

  // The drive's own list first; the page adds what it lacks.
  for (const SpeedList* list : {&answers.performance, &answers.modePage}) {
    if (list->cut) table.flags |= kTableCut;
    for (const OfferedSpeed& offered : list->speeds) {
      const auto same = std::find_if(table.rows.begin(), table.rows.end(), [&](const SpeedRow& r) {
        return r.kbps == offered.kbps && r.rotation == offered.rotation;
      });
      if (same != table.rows.end()) {
        if (same->source != offered.source) same->alsoInOtherSource = true;
        continue;
      }
      SpeedRow row;
      row.kbps = offered.kbps;
      row.rotation = offered.rotation;
      row.source = offered.source;
      table.rows.push_back(row);
    }
  }

  const double ceiling = FamilyCeilingX(table.family);
  for (SpeedRow& row : table.rows) {
    double oneX = table.oneXKbps;
    if (row.kbps == 0) {
      row.flags |= kSpeedZero;
      table.flags |= kTableZeroSpeeds;
    } else if (table.family == SpeedFamily::Dvd && row.kbps < kDvdOneX1352Kbps) {
      row.flags |= kSpeedCdForDvd;
      table.flags |= kTableCdForDvd;
    } else if (table.family == SpeedFamily::Dvd && CountedIn1352(row.kbps)) {
      row.flags |= kSpeedUnits1352;
      table.flags |= kTableUnits1352;
      oneX = kDvdOneX1352Kbps;
    }
    row.x = row.kbps / oneX;
    if (row.x > ceiling) {
      row.flags |= kSpeedExcessive;
      table.flags |= kTableExcessive;
    }
    if (rating && row.x > rating->highestX * kRatingTolerance) {
      row.flags |= kSpeedAboveRating;
      table.flags |= kTableAboveRating;
    }
    row.picked = table.pickedKbps && row.kbps == *table.pickedKbps;
  }
  std::stable_sort(table.rows.begin(), table.rows.end(), [](const SpeedRow& a, const SpeedRow& b) {
    return a.kbps != b.kbps ? a.kbps > b.kbps : a.rotation < b.rotation;
  });

  const size_t speeds = std::count_if(table.rows.begin(), table.rows.end(),
                                      [](const SpeedRow& r) { return r.kbps != 0; });
  if (speeds == 1) table.flags |= kTableSingleDescriptor;
  if (table.pickedKbps && std::none_of(table.rows.begin(), table.rows.end(),
                                       [](const SpeedRow& r) { return r.picked; }))
    table.flags |= kTablePickedNotListed;
  return table;
}

}  // namespace media
