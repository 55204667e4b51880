// The plot of the write speeds painted with GDI from the model's description: speed up the
// vertical axis, one mark per speed, the picked one highlighted, the rated line.
#pragma once

#include "app/model/speed_plot.h"
#include "platform/windows_api.h"

namespace win32ui {

inline constexpr COLORREF kPlotMark = RGB(0x23, 0x45, 0x75);
inline constexpr COLORREF kPlotPicked = RGB(0xE0, 0x60, 0x00);
inline constexpr COLORREF kPlotRated = RGB(0xB0, 0x20, 0x20);

// Where a point in plot units falls in `box`.
POINT PlotPoint(const RECT& box, double x, double y);

void PaintSpeedPlot(HDC dc, const RECT& box, const app::model::SpeedPlot& plot, HFONT font);

}  // namespace win32ui
