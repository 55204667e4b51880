// The plot of the write speeds painted with GDI from the model's description: speed up the
// vertical axis, one mark per speed, the picked one highlighted, the rated line.
#pragma once

#include "app/look/speed_plot_look.h"
#include "app/model/speed_plot.h"
#include "app/win32/skin_palette.h"
#include "platform/windows_api.h"

namespace win32ui {

inline constexpr COLORREF kPlotMark = ToColorRef(app::look::kPlotMark);
inline constexpr COLORREF kPlotPicked = ToColorRef(app::look::kPlotPicked);
inline constexpr COLORREF kPlotRated = ToColorRef(app::look::kPlotRated);

// Where a point in plot units falls in `box`.
POINT PlotPoint(const RECT& box, double x, double y);

void PaintSpeedPlot(HDC dc, const RECT& box, const app::model::SpeedPlot& plot, HFONT font);

}  // namespace win32ui
