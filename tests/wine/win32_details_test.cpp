// The Win32 details window and its plot, under Wine on the display: the plot painted with GDI
// into a bitmap (the picked mark in its own colour, a speed that cannot be trusted hollow),
// and the window's texts, which name its controls for screen readers, and Esc.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/details_model.h"
#include "app/model/speed_plot.h"
#include "app/win32/frm_details.h"
#include "app/win32/skin_controls.h"
#include "app/win32/skin_fonts.h"
#include "app/win32/speed_plot_paint.h"

namespace {

namespace model = app::model;

// A table of three speeds: 4x, 8x picked, 16x flagged; rated 16x.
media::SpeedTable Table() {
  media::SpeedTable table;
  table.family = media::SpeedFamily::Dvd;
  table.rows = {{22160, 16, media::Rotation::Clv, media::SpeedSource::Performance, false, false,
                 media::kSpeedAboveRating},
                {11080, 8, media::Rotation::Clv, media::SpeedSource::Performance, false, true, 0},
                {5540, 4, media::Rotation::Clv, media::SpeedSource::Performance, false, false, 0}};
  table.rating = media::DiscRating{0, 16};
  return table;
}

TEST(Win32Details, ThePlotPaintsEachMarkAsTheDescriptionSays) {
  const model::SpeedPlot plot = model::DescribeSpeedPlot(Table());
  ASSERT_EQ(plot.marks.size(), 3u);
  const RECT box{0, 0, 608, 246};
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, box.right, box.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  win32ui::PaintSpeedPlot(dc, box, plot, win32ui::SkinFont(app::look::kPlotFont));
  for (const model::PlotMark& mark : plot.marks) {
    const POINT at = win32ui::PlotPoint(box, mark.x, mark.y);
    const COLORREF expected = !mark.trusted ? RGB(0xFF, 0xFF, 0xFF)
                              : mark.picked ? win32ui::kPlotPicked
                                            : win32ui::kPlotMark;
    EXPECT_EQ(GetPixel(dc, at.x, at.y), expected) << mark.label;
  }
  // The rated line crosses the plot at the rating's height.
  int rated = 0;
  const POINT left = win32ui::PlotPoint(box, 0, *plot.ratedY);
  const POINT right = win32ui::PlotPoint(box, 1, *plot.ratedY);
  for (LONG x = left.x; x < right.x; ++x) rated += GetPixel(dc, x, left.y) == win32ui::kPlotRated;
  EXPECT_GT(rated, (right.x - left.x) / 3);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(Win32Details, TheWindowNamesItsControlsAndEscClosesIt) {
  int readAgain = 0, closed = 0;
  win32ui::TfrmDetails window(nullptr, {[&] { ++readAgain; }, [&] { ++closed; }});
  model::DetailsDescription details;
  details.statusLines = {"Blank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)"};
  details.speedLines = {"Disc: DVD+R, no rated speed", "line 2"};
  details.verdict = "a verdict";
  details.plot = model::DescribeSpeedPlot(Table());
  window.ShowDetails(details);
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  EXPECT_EQ(win32ui::ControlText(window.Handle()), model::kDetailsCaption);
  EXPECT_EQ(win32ui::ControlText(window.lblStatus), details.statusLines[0]);
  EXPECT_EQ(win32ui::ControlText(window.memSpeeds), "Disc: DVD+R, no rated speed\r\nline 2");
  EXPECT_EQ(win32ui::ControlText(window.lblVerdict), "a verdict");
  const std::vector<std::pair<HWND, std::string>> names = {
      {window.lblSpeeds, "Write speeds:"},
      {window.pbSpeeds, model::kDetailsPlotName},
      {window.cmdReadAgain, "&Read Again"},
      {window.cmdClose, "Close"}};
  for (const auto& [control, name] : names) EXPECT_EQ(win32ui::ControlText(control), name);
  EXPECT_TRUE(IsWindowEnabled(window.cmdReadAgain));
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
               reinterpret_cast<LPARAM>(window.cmdReadAgain));
  EXPECT_EQ(readAgain, 1);
  details.reading = true;
  window.ShowDetails(details);
  EXPECT_FALSE(IsWindowEnabled(window.cmdReadAgain));

  MSG esc{window.cmdClose, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(window.PreTranslate(esc));
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_NE(window.Handle(), nullptr) << "closing destroyed the window; it is only hidden";
  EXPECT_EQ(closed, 1);
}

}  // namespace
