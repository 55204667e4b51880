#include "app/qt/skin/skin_form.h"

#include <QKeySequence>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWindow>

#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_palette.h"

namespace skin {

SkinForm::SkinForm(QWidget* parent) : QWidget(parent) {
  setObjectName("suiForm1");
  // The window the frame fills is drawn in the skin's colours, whatever the desktop's theme.
  if (parent != nullptr) UseSkinPalette(*parent->window());
  setAttribute(Qt::WA_StyledBackground, false);
  setMouseTracking(true);
  setFont(SkinFont(app::look::kTitleFont));
  // Frameless windows lose the window manager's keys; the frame brings them back.
  auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
  closeKey->setContext(Qt::WindowShortcut);
  connect(closeKey, &QShortcut::activated, this, [this] {
    if (buttons_ & Close) Trigger(Close);
  });
  auto* menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  menuKey->setContext(Qt::WindowShortcut);
  connect(menuKey, &QShortcut::activated, this, [this] {
    if (titleBarVisible_ && (buttons_ & SystemMenu)) Trigger(SystemMenu);
  });
}

void SkinForm::SetCaption(const QString& caption) {
  caption_ = caption;
  if (window() != nullptr) window()->setWindowTitle(caption);
  update();
}

void SkinForm::SetTitleBarVisible(bool visible) {
  titleBarVisible_ = visible;
  update();
}

void SkinForm::SetTitleButtons(int buttons) {
  buttons_ = buttons;
  update();
}

QRect SkinForm::TitleButtonRect(TitleButton button) const {
  if (!titleBarVisible_) return {};
  return ToQRect(
      app::look::TitleButtonRect(width(), buttons_, static_cast<app::look::TitleButton>(button)));
}

void SkinForm::Trigger(TitleButton button) {
  QWidget* w = window();
  switch (button) {
    case Close:
      w->close();
      break;
    case Minimize:
      w->showMinimized();
      break;
    case Maximize:
      if (w->isMaximized()) {
        w->showNormal();
      } else if (CanMaximize()) {
        w->showMaximized();
      }
      break;
    case SystemMenu:
      ShowSystemMenu(mapToGlobal(TitleButtonRect(SystemMenu).bottomLeft()));
      break;
  }
}

bool SkinForm::CanMaximize() const {
  const QWidget* w = window();
  return (buttons_ & Maximize) && w->minimumSize() != w->maximumSize();
}

void SkinForm::ShowSystemMenu(const QPoint& globalPos) {
  QMenu menu(this);
  UseSkinPalette(menu);
  QWidget* w = window();
  QAction* restore = menu.addAction(tr("&Restore"));
  restore->setEnabled(w->isMaximized() || w->isMinimized());
  QAction* minimize = menu.addAction(tr("Mi&nimize"));
  minimize->setEnabled(buttons_ & Minimize);
  QAction* maximize = menu.addAction(tr("Ma&ximize"));
  maximize->setEnabled(CanMaximize() && !w->isMaximized());
  menu.addSeparator();
  QAction* close = menu.addAction(tr("&Close"));
  close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  QAction* chosen = menu.exec(globalPos);
  if (chosen == restore) w->showNormal();
  if (chosen == minimize) Trigger(Minimize);
  if (chosen == maximize) Trigger(Maximize);
  if (chosen == close) Trigger(Close);
}

int SkinForm::ButtonAt(const QPoint& pos) const {
  if (!titleBarVisible_) return 0;
  return app::look::TitleButtonAt(width(), buttons_, pos.x(), pos.y());
}

void SkinForm::PaintTitleButton(QPainter& painter, TitleButton button) const {
  const QRect rect = TitleButtonRect(button);
  if (rect.isEmpty()) return;
  painter.save();
  if (button != SystemMenu) {
    app::look::Rgb face = (pressed_ == button && hovered_ == button)
                              ? app::look::kTitleButtonPressed
                          : hovered_ == button ? app::look::kTitleButtonHover
                                               : app::look::kTitleButtonFace;
    if (button == Close && hovered_ == button) face = app::look::kCloseButtonHover;
    painter.setPen(ToQColor(app::look::kTitleButtonEdge));
    painter.setBrush(ToQColor(face));
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  QColor glyphColor = kTitleText;
  if (button == Maximize && !CanMaximize() && !window()->isMaximized()) glyphColor.setAlpha(110);
  QPen glyph(glyphColor, 1.6);
  painter.setPen(glyph);
  painter.setBrush(Qt::NoBrush);
  const QRectF g = QRectF(rect).adjusted(5, 4, -5, -4);
  switch (button) {
    case Close:
      painter.drawLine(g.topLeft(), g.bottomRight());
      painter.drawLine(g.topRight(), g.bottomLeft());
      break;
    case Maximize:
      if (window()->isMaximized()) {
        painter.drawRect(g.adjusted(2, 0, 0, -2));
        painter.drawRect(g.adjusted(0, 2, -2, 0));
      } else {
        painter.drawRect(g);
        painter.drawLine(g.topLeft() + QPointF(0, 1), g.topRight() + QPointF(0, 1));
      }
      break;
    case Minimize:
      painter.drawLine(QPointF(g.left(), g.bottom()), g.bottomRight());
      break;
    case SystemMenu: {
      // The system menu's mark: a small disc.
      const QRectF disc = QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5);
      painter.setPen(QPen(ToQColor(app::look::kSystemMenuEdge), 1));
      QRadialGradient shine(disc.center() - QPointF(2, 2), disc.width() / 1.5);
      shine.setColorAt(0, ToQColor(app::look::kSystemMenuShine));
      shine.setColorAt(0.6, ToQColor(app::look::kSystemMenuDisc));
      shine.setColorAt(1, ToQColor(app::look::kSystemMenuShade));
      painter.setBrush(shine);
      painter.drawEllipse(disc);
      painter.setBrush(kTitleBottom);
      painter.drawEllipse(disc.center(), 1.8, 1.8);
      break;
    }
  }
  painter.restore();
}

void SkinForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kFrameColor);
  if (titleBarVisible_) {
    const QRect bar(1, 1, width() - 2, kTitleBarHeight);
    QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
    gradient.setColorAt(0, kTitleTop);
    gradient.setColorAt(1, kTitleBottom);
    painter.fillRect(bar, gradient);
    painter.setPen(kTitleText);
    painter.setFont(font());
    const QRect textRect = ToQRect(app::look::CaptionRect(width(), buttons_));
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(caption_, Qt::ElideRight, textRect.width()));
    for (TitleButton b : {SystemMenu, Minimize, Maximize, Close}) PaintTitleButton(painter, b);
  }
  painter.setPen(kBorderColor);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SkinForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !titleBarVisible_ ||
      event->position().y() > kTitleBarHeight + 1) {
    QWidget::mousePressEvent(event);
    return;
  }
  const QPoint pos = event->position().toPoint();
  pressed_ = ButtonAt(pos);
  if (pressed_ == SystemMenu) {
    pressed_ = 0;
    Trigger(SystemMenu);
    return;
  }
  if (pressed_ != 0) {
    update();
    return;
  }
  QWidget* w = window();
  if (w->isMaximized()) return;
  QWindow* handle = w->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - w->frameGeometry().topLeft();
}

void SkinForm::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) {
    window()->move(event->globalPosition().toPoint() - dragOffset_);
    return;
  }
  const int hovered = ButtonAt(event->position().toPoint());
  if (hovered != hovered_) {
    hovered_ = hovered;
    update();
  }
}

void SkinForm::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  const int pressed = pressed_;
  pressed_ = 0;
  if (pressed != 0) {
    update();
    if (ButtonAt(event->position().toPoint()) == pressed) {
      Trigger(static_cast<TitleButton>(pressed));
    }
  }
}

void SkinForm::mouseDoubleClickEvent(QMouseEvent* event) {
  if (titleBarVisible_ && CanMaximize() && event->position().y() <= kTitleBarHeight &&
      ButtonAt(event->position().toPoint()) == 0) {
    Trigger(Maximize);
  }
}

void SkinForm::leaveEvent(QEvent*) {
  if (hovered_ != 0) {
    hovered_ = 0;
    update();
  }
}

}  // namespace skin
