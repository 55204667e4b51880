#include "app/model/speed_plot.h"

#include <algorithm>
#include <cmath>

#include "media/speed_verdict.h"

namespace app::model {
namespace {

constexpr int kMostSteps = 6;

}  // namespace

double TickStep(double highest) {
  static constexpr double kSteps[] = {0.5, 1, 2, 4, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000};
  for (double step : kSteps) {
    if (highest <= step * kMostSteps) return step;
  }
  // Beyond any real disc (a drive's nonsense): whole steps, six of them.
  return std::ceil(highest / kMostSteps);
}

SpeedPlot DescribeSpeedPlot(const media::SpeedTable& table) {
  SpeedPlot plot;
  plot.axisTitle = kPlotAxisTitle;
  if (table.rows.empty()) {
    plot.emptyText = kPlotEmptyText;
    return plot;
  }
  double highest = 0;
  for (const media::SpeedRow& row : table.rows) highest = std::max(highest, row.x);
  if (table.rating && table.rating->highestX > 0)
    highest = std::max(highest, table.rating->highestX);
  const double step = TickStep(highest);
  const int steps = std::max(1, static_cast<int>(std::ceil(highest / step - 1e-9)));
  const double top = step * steps;
  for (int i = 0; i <= steps; ++i) {
    const double value = step * i;
    plot.ticks.push_back({value, value / top, media::MultipleText(value)});
  }
  // The table lists the fastest first; the plot rises from the left.
  const size_t count = table.rows.size();
  for (size_t i = 0; i < count; ++i) {
    const media::SpeedRow& row = table.rows[count - 1 - i];
    PlotMark mark;
    mark.x = (static_cast<double>(i) + 0.5) / static_cast<double>(count);
    mark.y = std::clamp(row.x / top, 0.0, 1.0);
    mark.label = media::MultipleText(row.x);
    mark.picked = row.picked;
    mark.trusted = row.flags == 0;
    plot.marks.push_back(mark);
  }
  if (table.rating && table.rating->highestX > 0) {
    plot.ratedY = table.rating->highestX / top;
    plot.ratedLabel = "rated " + media::MultipleText(table.rating->highestX);
  }
  return plot;
}

}  // namespace app::model
