// Buttons of the skin: a painted push button, and an image button that shows one of three
// pictures (normal, mouse over, pressed).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QPushButton>

namespace skin {

class SkinButton : public QPushButton {
  Q_OBJECT
 public:
  SkinButton(const QString& caption, QWidget* parent);
  void SetTextColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor textColor_{Qt::black};
};

class ImageButton : public QAbstractButton {
  Q_OBJECT
 public:
  // The picture shown in the normal state.
  const QPixmap& Picture() const { return normal_; }
  explicit ImageButton(QWidget* parent);
  void SetPictures(const QPixmap& normal, const QPixmap& hover, const QPixmap& pressed);
  // Resizes the button to its normal picture.
  void SizeToPicture();
  QSize sizeHint() const override;
  // How long the pressed picture stays after the button's shortcut key clicked it.
  static constexpr int kKeyPressedLookMs = 100;

 protected:
  // The shortcut key clicks at once, and the pressed picture follows for a moment, instead of
  // the click arriving only after the animated press.
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap normal_;
  QPixmap hover_;
  QPixmap pressed_;
  bool hovered_ = false;
};

}  // namespace skin
