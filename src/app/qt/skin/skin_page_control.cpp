#include "app/qt/skin/skin_page_control.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QShortcut>

#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_palette.h"

namespace skin {
namespace {

using app::look::kPageTop;

QRect PageRect(const QWidget& control) {
  return ToQRect(app::look::PageRect(control.width(), control.height()));
}

}  // namespace

SkinPageControl::SkinPageControl(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::TabFocus);
  setMouseTracking(true);
  auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
  next->setContext(Qt::WindowShortcut);
  connect(next, &QShortcut::activated, this, [this] {
    if (!pages_.isEmpty()) SetActivePageIndex((active_ + 1) % PageCount());
  });
  auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
  previous->setContext(Qt::WindowShortcut);
  connect(previous, &QShortcut::activated, this, [this] {
    if (!pages_.isEmpty()) SetActivePageIndex((active_ + PageCount() - 1) % PageCount());
  });
}

void SkinPageControl::AddPage(QWidget* page, const QString& caption) {
  page->setParent(this);
  page->setGeometry(PageRect(*this));
  page->hide();
  page->setEnabled(false);
  pages_.push_back({page, caption});
  update();
}

QWidget* SkinPageControl::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[index].page : nullptr;
}

void SkinPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  if (QWidget* old = Page(active_); old != nullptr && index != active_) {
    old->setEnabled(false);
    old->hide();
  }
  active_ = index;
  pages_[index].page->show();
  pages_[index].page->setEnabled(true);
  update();
  emit ActivePageChanged(index);
}

QRect SkinPageControl::TabRect(int index) const {
  int left = tabMargin_;
  const QFontMetrics metrics(font());
  for (int i = 0; i < PageCount(); ++i) {
    const int w = metrics.horizontalAdvance(pages_[i].caption) + app::look::kTabPadding;
    if (i == index) return {left, app::look::kTabTop, w, app::look::kTabHeight};
    left += w;
  }
  return {};
}

void SkinPageControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect body(0, kPageTop - 2, width(), height() - kPageTop + 2);
  painter.fillRect(body, kPageColor);
  painter.setPen(kControlBorder);
  painter.drawRect(body.adjusted(0, 0, -1, -1));
  painter.setFont(font());
  for (int i = 0; i < PageCount(); ++i) {
    QRect tab = TabRect(i);
    const bool active = i == active_;
    if (!active) tab.adjust(0, 2, 0, 0);
    QLinearGradient face(tab.topLeft(), tab.bottomLeft());
    face.setColorAt(0, active          ? ToQColor(app::look::kActiveTabTop)
                       : i == hovered_ ? kControlTop
                                       : kControlBottom);
    face.setColorAt(1, active ? kPageColor : kTabBottom);
    painter.setBrush(face);
    painter.setPen(kControlBorder);
    painter.drawRect(tab.adjusted(0, 0, -1, active ? 0 : -1));
    if (active) {
      painter.setPen(kHoverBorder);
      painter.drawLine(tab.left() + 1, tab.top() + 1, tab.right() - 1, tab.top() + 1);
      painter.setPen(kPageColor);
      painter.drawLine(tab.left() + 1, tab.bottom() + 1, tab.right() - 1, tab.bottom() + 1);
    }
    painter.setPen(isEnabled() ? QColor(Qt::black) : kDisabledText);
    painter.drawText(tab, Qt::AlignCenter, pages_[i].caption);
    if (active && hasFocus()) {
      painter.setPen(QPen(kFocusColor, 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(tab.adjusted(3, 3, -4, -3));
    }
  }
}

void SkinPageControl::mousePressEvent(QMouseEvent* event) {
  for (int i = 0; i < PageCount(); ++i) {
    if (TabRect(i).contains(event->position().toPoint())) {
      SetActivePageIndex(i);
      return;
    }
  }
  QWidget::mousePressEvent(event);
}

void SkinPageControl::mouseMoveEvent(QMouseEvent* event) {
  int hovered = -1;
  for (int i = 0; i < PageCount(); ++i) {
    if (TabRect(i).contains(event->position().toPoint())) hovered = i;
  }
  if (hovered != hovered_) {
    hovered_ = hovered;
    update();
  }
}

void SkinPageControl::leaveEvent(QEvent*) {
  hovered_ = -1;
  update();
}

void SkinPageControl::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Left && active_ > 0) {
    SetActivePageIndex(active_ - 1);
  } else if (event->key() == Qt::Key_Right && active_ + 1 < PageCount()) {
    SetActivePageIndex(active_ + 1);
  } else {
    QWidget::keyPressEvent(event);
  }
}

void SkinPageControl::resizeEvent(QResizeEvent*) {
  for (const Entry& e : pages_) {
    e.page->setGeometry(PageRect(*this));
  }
}

}  // namespace skin
