// How the details view's speed plot looks in both views: its colours, the room around the
// plotting area, the marks' sizes and the fonts of the details window.
#pragma once

#include "app/look/fonts.h"
#include "app/look/palette.h"

namespace app::look {

inline constexpr Rgb kPlotGrid{0xD0, 0xD4, 0xDA};
inline constexpr Rgb kPlotMark = kTitleBottom;
inline constexpr Rgb kPlotPicked{0xE0, 0x60, 0x00};
inline constexpr Rgb kPlotRated{0xB0, 0x20, 0x20};

// Room for the tick labels at the left, the axis title above, the rated label at the right.
inline constexpr int kPlotLeft = 44;
inline constexpr int kPlotTop = 22;
inline constexpr int kPlotRight = 64;
inline constexpr int kPlotBottom = 10;
inline constexpr int kPlotMarkRadius = 4;
inline constexpr int kPlotPickedRadius = 6;

inline constexpr FontChoice kPlotFont{"Verdana", 10};
inline constexpr FontChoice kDetailsText = kText;
inline constexpr FontChoice kDetailsTable = kMemoFont;
inline constexpr FontChoice kDetailsButton = kBoldText;

}  // namespace app::look
