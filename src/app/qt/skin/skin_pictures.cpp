#include "app/qt/skin/skin_pictures.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_palette.h"

namespace skin {
namespace {

// A recordable disc seen from above: silver rim, dye-coloured data area, clear hub.
void PaintDisc(QPainter& p, const QPointF& centre, qreal radius, const QColor& dye) {
  QRadialGradient body(centre, radius);
  body.setColorAt(0.0, QColor(0xF0, 0xF0, 0xF0));
  body.setColorAt(0.30, QColor(0xD8, 0xDC, 0xE4));
  body.setColorAt(0.34, dye.lighter(150));
  body.setColorAt(0.80, dye);
  body.setColorAt(0.96, dye.darker(130));
  body.setColorAt(1.0, QColor(0x80, 0x84, 0x8C));
  p.setPen(QPen(QColor(0x55, 0x5A, 0x66), 1));
  p.setBrush(body);
  p.drawEllipse(centre, radius, radius);
  QConicalGradient sheen(centre, 35);
  sheen.setColorAt(0.0, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.10, QColor(255, 255, 255, 140));
  sheen.setColorAt(0.20, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.50, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.60, QColor(255, 255, 255, 110));
  sheen.setColorAt(0.70, QColor(255, 255, 255, 0));
  sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawEllipse(centre, radius - 1, radius - 1);
  p.setBrush(QColor(0xE8, 0xE8, 0xE8));
  p.setPen(QPen(QColor(0x70, 0x74, 0x7C), 1));
  p.drawEllipse(centre, radius * 0.16, radius * 0.16);
}

}  // namespace

QPixmap PictureCanvas(int width, int height) {
  const qreal scale = qGuiApp != nullptr ? std::max<qreal>(1, qGuiApp->devicePixelRatio()) : 1;
  QPixmap pixmap(QSize(width, height) * scale);
  pixmap.setDevicePixelRatio(scale);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QPixmap QueryButtonPicture(ButtonState state) {
  QPixmap pixmap = PictureCanvas(73, 49);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF plate = QRectF(0.5, 0.5, 72, 48);
  QLinearGradient face(plate.topLeft(), plate.bottomLeft());
  const bool pressed = state == ButtonState::Pressed;
  face.setColorAt(0, pressed ? kPressedTop : kControlTop);
  face.setColorAt(1, pressed ? kPressedBottom : kControlBottom);
  p.setBrush(face);
  p.setPen(QPen(state == ButtonState::Normal ? kControlBorder : kHoverBorder, 1));
  p.drawRoundedRect(plate, 6, 6);
  const qreal shift = pressed ? 1 : 0;
  const QColor dye =
      state == ButtonState::Hover ? QColor(0x3E, 0x8E, 0xD0) : QColor(0x2C, 0x6C, 0xB0);
  PaintDisc(p, QPointF(24 + shift, 24.5 + shift), 19, dye);
  QFont mark = SkinFont(app::look::kQueryMarkFont);
  p.setFont(mark);
  p.setPen(state == ButtonState::Hover ? kRed : QColor(0xC0, 0x10, 0x10));
  p.drawText(QRectF(40 + shift, 3 + shift, 30, 44), Qt::AlignCenter, "?");
  return pixmap;
}

QPixmap MakerLogoPicture() {
  QPixmap pixmap = PictureCanvas(95, 26);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  PaintDisc(p, QPointF(13, 13), 11.5, QColor(0x9C, 0x3A, 0x30));
  p.setFont(SkinFont(app::look::kLogoFont));
  p.setPen(kNavy);
  p.drawText(QRectF(27, 0, 68, 26), Qt::AlignVCenter | Qt::AlignLeft, "QUILL");
  return pixmap;
}

QPixmap OemLogoPicture() {
  QPixmap pixmap = PictureCanvas(85, 67);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath badge;
  badge.addRoundedRect(QRectF(0.5, 0.5, 84, 66), 8, 8);
  QLinearGradient face(0, 0, 0, 67);
  face.setColorAt(0, QColor(0x2E, 0x5C, 0x96));
  face.setColorAt(1, QColor(0x12, 0x2C, 0x52));
  p.fillPath(badge, face);
  p.setPen(QPen(QColor(0x0A, 0x1A, 0x33), 1));
  p.drawPath(badge);
  PaintDisc(p, QPointF(42.5, 24), 17, QColor(0xC8, 0x9A, 0x2A));
  p.setFont(SkinFont(app::look::kLogoFont));
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 43, 85, 22), Qt::AlignCenter, "VEXO");
  return pixmap;
}

}  // namespace skin
