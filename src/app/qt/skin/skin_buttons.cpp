#include "app/qt/skin/skin_buttons.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include "app/qt/skin/skin_palette.h"

namespace skin {

SkinButton::SkinButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_Hover, true);
  setAutoDefault(false);
}

void SkinButton::SetTextColor(const QColor& color) {
  textColor_ = color;
  update();
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool down = isDown() || isChecked();
  const bool hover = underMouse() && isEnabled();
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0, down ? kPressedTop : kControlTop);
  face.setColorAt(1, down ? kPressedBottom : kControlBottom);
  painter.setBrush(face);
  painter.setPen(!isEnabled()          ? ToQColor(app::look::kDisabledBorder)
                 : hover || hasFocus() ? kHoverBorder
                                       : kControlBorder);
  painter.drawRoundedRect(box, 3, 3);
  if (hasFocus()) {
    QPen dots(kFocusColor, 1, Qt::DotLine);
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
  }
  painter.setPen(isEnabled() ? textColor_ : kDisabledText);
  painter.setFont(font());
  const QRect textRect = rect().translated(down ? 1 : 0, down ? 1 : 0);
  painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
}

void ImageButton::SetPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed) {
  normal_ = normal;
  hover_ = hover.isNull() ? normal : hover;
  pressed_ = pressed.isNull() ? hover_ : pressed;
  update();
}

void ImageButton::SizeToPicture() {
  if (!normal_.isNull()) resize(normal_.deviceIndependentSize().toSize());
}

QSize ImageButton::sizeHint() const {
  return normal_.isNull() ? QSize(16, 16) : normal_.deviceIndependentSize().toSize();
}

bool ImageButton::event(QEvent* event) {
  if (event->type() != QEvent::Shortcut) return QAbstractButton::event(event);
  if (!isEnabled()) return true;
  QPointer<ImageButton> alive(this);
  click();
  if (!alive) return true;
  setDown(true);
  QTimer::singleShot(kKeyPressedLookMs, this, [this] { setDown(false); });
  return true;
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPixmap& picture = isDown() ? pressed_ : hovered_ && isEnabled() ? hover_ : normal_;
  if (!isEnabled()) painter.setOpacity(0.45);
  painter.drawPixmap(0, 0, picture);
  if (hasFocus()) {
    painter.setOpacity(1);
    painter.setPen(QPen(kFocusColor, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
}

void ImageButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void ImageButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace skin
