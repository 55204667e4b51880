// The plot of a write-speed table without a toolkit: speed on the vertical axis, one mark per
// speed the drive offers (slowest at the left), the speed it picks highlighted, the disc's
// rated maximum as a line. Positions are in plot units: 0 to 1 across the plot area from the
// left, 0 to 1 up from the axis; a view scales them into its own pixels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "media/speed_table.h"

namespace app::model {

struct PlotTick {
  double value = 0;  // the multiple of 1x
  double y = 0;
  std::string label;  // "16×"
  bool operator==(const PlotTick&) const = default;
};

struct PlotMark {
  double x = 0;
  double y = 0;
  std::string label;    // "8×"
  bool picked = false;  // the speed the drive picks: drawn highlighted
  bool trusted = true;  // no flag: drawn filled; a flagged speed is drawn hollow
  bool operator==(const PlotMark&) const = default;
};

struct SpeedPlot {
  std::string axisTitle;        // names the vertical axis
  std::vector<PlotTick> ticks;  // from 0 up to the top of the axis
  std::vector<PlotMark> marks;
  std::optional<double> ratedY;  // the disc's rated maximum, when it carries one
  std::string ratedLabel;        // "rated 16×"
  // Shown in the plot's place when there is nothing to draw.
  std::string emptyText;
};

inline constexpr const char* kPlotAxisTitle = "Write speed";
inline constexpr const char* kPlotEmptyText = "No write speed to draw";

// The ticks' step: the smallest of 0.5, 1, 2, 4, 5, 10, 20, 25, 50, ... that keeps the axis at
// six steps or fewer up to `highest`.
double TickStep(double highest);

SpeedPlot DescribeSpeedPlot(const media::SpeedTable& table);

}  // namespace app::model
