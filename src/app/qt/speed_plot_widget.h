// The plot of the write speeds, painted with QPainter from the model's description: speed up
// the vertical axis, one mark per speed, the picked one highlighted, the rated line.
#pragma once

#include <QWidget>

#include "app/model/speed_plot.h"

namespace app {

class SpeedPlotWidget : public QWidget {
  Q_OBJECT
 public:
  explicit SpeedPlotWidget(QWidget* parent);
  void SetPlot(const model::SpeedPlot& plot);
  const model::SpeedPlot& Plot() const { return plot_; }
  // Where a point in plot units falls in the widget.
  QPointF At(double x, double y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRectF Area() const;

  model::SpeedPlot plot_;
};

}  // namespace app
