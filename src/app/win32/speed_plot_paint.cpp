#include "app/win32/speed_plot_paint.h"

#include <cmath>

#include "app/win32/skin_palette.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

namespace look = app::look;
constexpr COLORREF kGrid = ToColorRef(look::kPlotGrid);

RECT Area(const RECT& box) {
  return {box.left + look::kPlotLeft, box.top + look::kPlotTop, box.right - look::kPlotRight,
          box.bottom - look::kPlotBottom};
}

void Line(HDC dc, POINT from, POINT to) {
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void Text(HDC dc, const std::string& utf8, RECT at, UINT format) {
  const std::wstring text = platform::Widen(utf8);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &at,
            format | DT_SINGLELINE | DT_NOPREFIX);
}

// A pen or brush selected for the scope, deleted after.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(dc_, old_);
    DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_;
};

}  // namespace

POINT PlotPoint(const RECT& box, double x, double y) {
  const RECT area = Area(box);
  return {area.left + static_cast<LONG>(std::lround(x * (area.right - area.left))),
          area.bottom - static_cast<LONG>(std::lround(y * (area.bottom - area.top)))};
}

void PaintSpeedPlot(HDC dc, const RECT& box, const app::model::SpeedPlot& plot, HFONT font) {
  const int saved = SaveDC(dc);
  HBRUSH white = CreateSolidBrush(kWhite);
  FillRect(dc, &box, white);
  DeleteObject(white);
  SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlack);
  {
    Selected border(dc, CreatePen(PS_SOLID, 1, kControlBorder));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
  }
  if (!plot.emptyText.empty() || plot.ticks.empty()) {
    Text(dc, plot.emptyText, box, DT_CENTER | DT_VCENTER);
    RestoreDC(dc, saved);
    return;
  }
  const RECT area = Area(box);
  Text(dc, plot.axisTitle, {box.left + 4, box.top + 3, area.right, area.top}, DT_LEFT | DT_TOP);
  for (const app::model::PlotTick& tick : plot.ticks) {
    const POINT left = PlotPoint(box, 0, tick.y);
    {
      Selected grid(dc, CreatePen(PS_SOLID, 1, kGrid));
      Line(dc, left, PlotPoint(box, 1, tick.y));
    }
    Text(dc, tick.label, {box.left, left.y - 8, area.left - 6, left.y + 8}, DT_RIGHT | DT_VCENTER);
  }
  {
    Selected axes(dc, CreatePen(PS_SOLID, 1, kBlack));
    Line(dc, {area.left, area.bottom}, {area.left, area.top});
    Line(dc, {area.left, area.bottom}, {area.right, area.bottom});
  }
  if (plot.ratedY) {
    const POINT from = PlotPoint(box, 0, *plot.ratedY);
    Selected rated(dc, CreatePen(PS_DASH, 1, kPlotRated));
    Line(dc, from, PlotPoint(box, 1, *plot.ratedY));
    SetTextColor(dc, kPlotRated);
    Text(dc, plot.ratedLabel, {area.right + 4, from.y - 8, box.right - 2, from.y + 8},
         DT_LEFT | DT_VCENTER);
    SetTextColor(dc, kBlack);
  }
  for (const app::model::PlotMark& mark : plot.marks) {
    const POINT at = PlotPoint(box, mark.x, mark.y);
    const COLORREF colour = mark.picked ? kPlotPicked : kPlotMark;
    const int r = mark.picked ? look::kPlotPickedRadius : look::kPlotMarkRadius;
    {
      Selected pen(dc, CreatePen(PS_SOLID, 2, colour));
      Selected brush(dc, CreateSolidBrush(mark.trusted ? colour : kWhite));
      Ellipse(dc, at.x - r, at.y - r, at.x + r + 1, at.y + r + 1);
    }
    SetTextColor(dc, mark.picked ? kPlotPicked : kBlack);
    Text(dc, mark.label, {at.x - 40, at.y - r - 18, at.x + 40, at.y - r - 2},
         DT_CENTER | DT_BOTTOM);
  }
  RestoreDC(dc, saved);
}

}  // namespace win32ui
