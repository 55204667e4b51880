#include "app/qt/skin/skin_widgets.h"

#include <QAbstractItemView>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>

#include "app/qt/skin/skin_palette.h"

// The skin's pictures live in a static library; their registration must be pulled in.
static void LoadSkinPictures() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(skin);
    return true;
  }();
  (void)loaded;
}

namespace skin {
namespace {

LinkLabel::Opener& CurrentOpener() {
  static LinkLabel::Opener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  return opener;
}

const char* kScrollBarStyle =
    "QScrollBar:vertical { background: #E8E8E8; width: 15px; margin: 15px 0 15px 0;"
    " border-left: 1px solid #B8BEC8; }"
    "QScrollBar::handle:vertical { background: qlineargradient(x1:0, y1:0, x2:1, y2:0,"
    " stop:0 #FAFAFA, stop:1 #D6DAE0); border: 1px solid #7A8696; border-radius: 3px;"
    " min-height: 16px; }"
    "QScrollBar::handle:vertical:hover { border-color: #3C6CB0; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { background: #DDE1E7;"
    " border: 1px solid #7A8696; height: 13px; subcontrol-origin: margin; }"
    "QScrollBar::sub-line:vertical { subcontrol-position: top; }"
    "QScrollBar::add-line:vertical { subcontrol-position: bottom; }"
    "QScrollBar::up-arrow:vertical { image: url(:/skin/arrow_up.png); }"
    "QScrollBar::down-arrow:vertical { image: url(:/skin/arrow_down.png); }"
    "QScrollBar::up-arrow:vertical:disabled { image: url(:/skin/arrow_up_disabled.png); }"
    "QScrollBar::down-arrow:vertical:disabled { image: url(:/skin/arrow_down_disabled.png); }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

}  // namespace

SkinMemo::SkinMemo(QWidget* parent) : QPlainTextEdit(parent) {
  LoadSkinPictures();
  setReadOnly(true);
  // A memo with a vertical scroll bar only: long lines wrap at the memo's width.
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setFrameShape(QFrame::NoFrame);
  setStyleSheet(QString("QPlainTextEdit { background: white; color: black;"
                        " border: 1px solid #7A8696; selection-background-color: #3C6CB0;"
                        " selection-color: white; }") +
                kScrollBarStyle);
}

QStringList SkinMemo::Lines() const {
  QStringList lines;
  if (document()->isEmpty()) return lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    lines << block.text();
  }
  return lines;
}

SkinComboBox::SkinComboBox(QWidget* parent, int itemHeight) : QComboBox(parent) {
  LoadSkinPictures();
  setEditable(false);
  setFocusPolicy(Qt::StrongFocus);
  setItemDelegate(new QStyledItemDelegate(this));
  setStyleSheet(
      QString("QComboBox { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF,"
              " stop:1 #EEF0F4); border: 1px solid #7A8696; border-radius: 2px;"
              " padding: 1px 18px 1px 3px; color: black; }"
              "QComboBox:hover, QComboBox:focus { border-color: #3C6CB0; }"
              "QComboBox:disabled { color: #9A9A9A; }"
              "QComboBox::drop-down { width: 17px; border-left: 1px solid #7A8696;"
              " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FAFAFA,"
              " stop:1 #D6DAE0); }"
              "QComboBox::down-arrow { image: url(:/skin/arrow_down.png); }"
              "QComboBox::down-arrow:disabled { image: url(:/skin/arrow_down_disabled.png); }"
              "QComboBox QAbstractItemView { border: 1px solid #7A8696; background: white;"
              " color: black; selection-background-color: #3C6CB0; selection-color: white;"
              " outline: 0; }"
              "QComboBox QAbstractItemView::item { height: %1px; }")
          .arg(itemHeight) +
      kScrollBarStyle);
}

void SkinComboBox::showPopup() {
  UseSkinPalette(*view()->window());
  QComboBox::showPopup();
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  SetHot(false);
}

void LinkLabel::SetOpener(Opener opener) {
  CurrentOpener() = std::move(opener);
}

bool LinkLabel::Activate() {
  if (target_.trimmed().isEmpty()) return false;
  return CurrentOpener()(QUrl::fromUserInput(target_));
}

void LinkLabel::SetHot(bool hot) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, hot ? kRed : kBlue);
  setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Activate();
  }
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Space) {
    Activate();
    return;
  }
  QLabel::keyPressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  SetHot(true);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetHot(false);
  QLabel::leaveEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) {
    QPainter painter(this);
    painter.setPen(QPen(kFocusColor, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

Separator::Separator(QWidget* parent, Direction direction, int left, int top, int length)
    : QFrame(parent) {
  setObjectName(QString());
  setFrameShape(direction == Direction::Horizontal ? QFrame::HLine : QFrame::VLine);
  setFrameShadow(QFrame::Sunken);
  setLineWidth(1);
  if (direction == Direction::Horizontal) {
    setGeometry(left, top, length, 2);
  } else {
    setGeometry(left, top, 2, length);
  }
}

Bevel::Bevel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setFrameShadow(QFrame::Sunken);
  setLineWidth(1);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                  const QFont& font, const QColor& color) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(geometry);
  label->setFont(font);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, color);
  label->setPalette(p);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace skin
