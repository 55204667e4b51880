#include "app/qt/skin/busy_indicator.h"

#include <QPainter>
#include <cmath>

#include "app/qt/skin/skin_palette.h"

namespace skin {

constexpr int kSpokes = 12;

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
  timer_.setInterval(80);
  connect(&timer_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % kSpokes;
    update();
  });
  hide();
}

void BusyIndicator::Start() {
  show();
  raise();
  timer_.start();
}

void BusyIndicator::Stop() {
  timer_.stop();
  hide();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.translate(width() / 2.0, height() / 2.0);
  const qreal outer = std::min(width(), height()) / 2.0 - 1;
  for (int i = 0; i < kSpokes; ++i) {
    QColor color = kTitleBottom;
    color.setAlphaF(0.15 + 0.85 * ((i + kSpokes - step_) % kSpokes) / (kSpokes - 1.0));
    painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
    const qreal angle = 2 * M_PI * i / kSpokes;
    painter.drawLine(QPointF(std::cos(angle), std::sin(angle)) * outer * 0.45,
                     QPointF(std::cos(angle), std::sin(angle)) * outer);
  }
}

}  // namespace skin
