#include "app/qt/speed_plot_widget.h"

#include <QPainter>
#include <QPainterPath>

#include "app/look/speed_plot_look.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_palette.h"

namespace app {
namespace {

constexpr double kLeft = app::look::kPlotLeft;
constexpr double kTop = app::look::kPlotTop;
constexpr double kRight = app::look::kPlotRight;
constexpr double kBottom = app::look::kPlotBottom;
constexpr double kMarkRadius = app::look::kPlotMarkRadius;
constexpr double kPickedRadius = app::look::kPlotPickedRadius;

const QColor kGrid = skin::ToQColor(app::look::kPlotGrid);
const QColor kMark = skin::ToQColor(app::look::kPlotMark);
const QColor kPicked = skin::ToQColor(app::look::kPlotPicked);
const QColor kRated = skin::ToQColor(app::look::kPlotRated);

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

SpeedPlotWidget::SpeedPlotWidget(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette palette = skin::SkinPalette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setFont(skin::SkinFont(app::look::kPlotFont));
}

void SpeedPlotWidget::SetPlot(const model::SpeedPlot& plot) {
  plot_ = plot;
  update();
}

QRectF SpeedPlotWidget::Area() const {
  return QRectF(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
}

QPointF SpeedPlotWidget::At(double x, double y) const {
  const QRectF area = Area();
  return {area.left() + x * area.width(), area.bottom() - y * area.height()};
}

void SpeedPlotWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(skin::kControlBorder);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (!plot_.emptyText.empty() || plot_.ticks.empty()) {
    painter.setPen(Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, Text(plot_.emptyText));
    return;
  }
  const QRectF area = Area();
  const QFontMetricsF metrics(font());
  painter.setPen(Qt::black);
  painter.drawText(QPointF(4, metrics.ascent() + 3), Text(plot_.axisTitle));
  for (const model::PlotTick& tick : plot_.ticks) {
    const QPointF left = At(0, tick.y);
    painter.setPen(kGrid);
    painter.drawLine(left, At(1, tick.y));
    painter.setPen(Qt::black);
    const QString label = Text(tick.label);
    painter.drawText(
        QPointF(kLeft - 6 - metrics.horizontalAdvance(label), left.y() + metrics.ascent() / 2 - 1),
        label);
  }
  painter.setPen(Qt::black);
  painter.drawLine(area.bottomLeft(), area.topLeft());
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  if (plot_.ratedY) {
    QPen pen(kRated, 1.5, Qt::DashLine);
    painter.setPen(pen);
    const QPointF from = At(0, *plot_.ratedY);
    painter.drawLine(from, At(1, *plot_.ratedY));
    painter.drawText(QPointF(area.right() + 4, from.y() + metrics.ascent() / 2 - 1),
                     Text(plot_.ratedLabel));
  }
  for (const model::PlotMark& mark : plot_.marks) {
    const QPointF at = At(mark.x, mark.y);
    const QColor colour = mark.picked ? kPicked : kMark;
    const double radius = mark.picked ? kPickedRadius : kMarkRadius;
    painter.setPen(QPen(colour, 1.5));
    painter.setBrush(mark.trusted ? QBrush(colour) : QBrush(Qt::white));
    painter.drawEllipse(at, radius, radius);
    painter.setBrush(Qt::NoBrush);
    const QString label = Text(mark.label);
    const QPointF textAt(at.x() - metrics.horizontalAdvance(label) / 2, at.y() - radius - 3);
    painter.setPen(mark.picked ? kPicked : Qt::black);
    painter.drawText(textAt, label);
  }
}

}  // namespace app
