// The smaller skinned controls: memo, drop-down list, link label, separator line and bevel.
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QUrl>
#include <functional>

namespace skin {

class SkinMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit SkinMemo(QWidget* parent);
  QStringList Lines() const;
};

// A drop-down list to pick from, with a fixed item height.
class SkinComboBox : public QComboBox {
  Q_OBJECT
 public:
  SkinComboBox(QWidget* parent, int itemHeight);
  // The drop-down list is a window of its own; it is drawn in the skin's colours too.
  void showPopup() override;
};

// A label that opens its link target with the desktop's handler when clicked, unless the
// target is blank. Blue and underlined; red while the mouse is over it.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  using Opener = std::function<bool(const QUrl&)>;

  explicit LinkLabel(QWidget* parent);
  void SetLinkTarget(const QString& target) { target_ = target; }
  QString LinkTarget() const { return target_; }
  // Opens the target; true when something was opened.
  bool Activate();
  // Replaces the desktop's handler (for tests).
  static void SetOpener(Opener opener);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetHot(bool hot);
  QString target_;
};

// A thin etched line: horizontal when created with a width, vertical with a height.
class Separator : public QFrame {
  Q_OBJECT
 public:
  enum class Direction { Horizontal, Vertical };
  Separator(QWidget* parent, Direction direction, int left, int top, int length);
};

class Bevel : public QFrame {
  Q_OBJECT
 public:
  explicit Bevel(QWidget* parent);
};

// A label with the skin's font and colour.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                  const QFont& font, const QColor& color = Qt::black);

}  // namespace skin
