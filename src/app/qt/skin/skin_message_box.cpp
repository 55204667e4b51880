#include "app/qt/skin/skin_message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>

#include "app/look/small_windows.h"
#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_pictures.h"

namespace skin {
namespace {

namespace look = app::look;

constexpr int kIconSize = look::kMessageIconSize;
// A message is never wider than the screen allows.
constexpr int kScreenMargin = 24;

// The text in lines no wider than `width`: broken at word boundaries where it can be, and
// inside a word too long for a line (a path) where it must.
QString WrapToWidth(const QString& text, const QFont& font, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split('\n')) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      QString piece = paragraph.mid(line.textStart(), line.textLength());
      while (!piece.isEmpty() && piece.back().isSpace()) piece.chop(1);
      lines << piece;
    }
    layout.endLayout();
    if (paragraph.isEmpty()) lines << QString();
  }
  return lines.join('\n');
}

int ScreenWidth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry().width() : 1024;
}

}  // namespace

QPixmap MessageIconPicture(SkinMessageBox::Icon icon) {
  QPixmap pixmap = PictureCanvas(kIconSize, kIconSize);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF circle(2, 2, 28, 28);
  QColor fill = ToQColor(icon == SkinMessageBox::Icon::Error     ? look::kErrorIcon
                         : icon == SkinMessageBox::Icon::Warning ? look::kWarningIcon
                                                                 : look::kInformationIcon);
  p.setPen(QPen(fill.darker(140), 1.2));
  p.setBrush(fill);
  p.drawEllipse(circle);
  p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
  if (icon == SkinMessageBox::Icon::Error) {
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
  } else if (icon == SkinMessageBox::Icon::Warning) {
    p.drawLine(QPointF(16, 8), QPointF(16, 18));
    p.drawPoint(QPointF(16, 24));
  } else {
    p.drawPoint(QPointF(16, 9));
    p.drawLine(QPointF(16, 14), QPointF(16, 24));
  }
  return pixmap;
}

SkinMessageBox::Icon IconOfFlags(unsigned flags) {
  switch (flags & 0xF0) {
    case 0x10:
      return SkinMessageBox::Icon::Error;
    case 0x30:
      return SkinMessageBox::Icon::Warning;
    default:
      return SkinMessageBox::Icon::Information;
  }
}

SkinMessageBox::SkinMessageBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(look::kMessageBox.window);
  setModal(true);
  frame_ = new SkinForm(this);
  frame_->SetTitleButtons(SkinForm::Close);
  iconLabel_ = new QLabel(frame_);
  iconLabel_->setObjectName(look::kMessageBox.icon);
  textLabel_ = new QLabel(frame_);
  textLabel_->setObjectName(look::kMessageBox.text);
  textLabel_->setTextFormat(Qt::PlainText);
  textLabel_->setFont(SkinFont(look::kMessageFont));
  textLabel_->setWordWrap(false);
  okButton_ = new SkinButton(look::kMessageOk.text, frame_);
  okButton_->setObjectName(look::kMessageOk.name);
  okButton_->setFont(SkinFont(look::kMessageOkFont));
  okButton_->setDefault(true);
  okButton_->setAutoDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  SetCaption(look::kMessageBox.caption);
  SetIcon(Icon::Information);
}

void SkinMessageBox::SetCaption(const QString& caption) {
  frame_->SetCaption(caption);
  setWindowTitle(caption);
}

QString SkinMessageBox::Caption() const {
  return frame_->Caption();
}

void SkinMessageBox::SetText(const QString& text) {
  text_ = text;
  Layout();
}

QString SkinMessageBox::Text() const {
  return text_;
}

void SkinMessageBox::SetIcon(Icon icon) {
  icon_ = icon;
  iconLabel_->setPixmap(MessageIconPicture(icon));
}

void SkinMessageBox::Layout() {
  const QFontMetrics metrics(textLabel_->font());
  // Whatever the text, the box fits the screen: a long message wraps, at word boundaries and
  // after the separators of a path.
  const int widest =
      std::max(100, std::min(look::kMessageWidestText,
                             ScreenWidth() - 2 * kScreenMargin - look::MessageTextLeft() - 20));
  textLabel_->setText(text_);
  if (metrics.size(0, text_).width() > widest) {
    textLabel_->setText(WrapToWidth(text_, textLabel_->font(), widest));
  }
  const QSize text = metrics.size(0, textLabel_->text());
  const look::MessageLayout layout = look::LayOutMessage(text.width(), text.height());
  setFixedSize(layout.size.width, layout.size.height);
  frame_->setGeometry(0, 0, layout.size.width, layout.size.height);
  iconLabel_->setGeometry(ToQRect(layout.icon));
  textLabel_->setGeometry(ToQRect(layout.text));
  okButton_->setGeometry(ToQRect(layout.ok));
}

int SkinMessageBox::Execute() {
  Layout();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  okButton_->setFocus();
  return app::RunModal(*this);
}

}  // namespace skin
