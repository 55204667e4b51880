// The skinned frame control: fills a frameless window, paints the 1-pixel border, the frame
// colour and the title bar with its caption and buttons, and moves the window when the
// title bar is dragged.
#pragma once

#include <QPoint>
#include <QWidget>

#include "app/look/frame.h"

class QMenu;

namespace skin {

class SkinForm : public QWidget {
  Q_OBJECT
 public:
  enum TitleButton {
    SystemMenu = app::look::kSystemMenu,
    Minimize = app::look::kMinimize,
    Maximize = app::look::kMaximize,
    Close = app::look::kClose,
  };

  explicit SkinForm(QWidget* parent);

  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetTitleBarVisible(bool visible);
  bool TitleBarVisible() const { return titleBarVisible_; }
  void SetTitleButtons(int buttons);
  int TitleButtons() const { return buttons_; }

  // Where each title-bar button is drawn; empty when the form does not have it.
  QRect TitleButtonRect(TitleButton button) const;
  // What a click on a title-bar button does, also reachable from the keyboard. Maximise does
  // nothing for a window of fixed size (drawn dimmed), as every skinned window is.
  void Trigger(TitleButton button);
  bool CanMaximize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int ButtonAt(const QPoint& pos) const;
  void ShowSystemMenu(const QPoint& globalPos);
  void PaintTitleButton(class QPainter& painter, TitleButton button) const;

  QString caption_;
  bool titleBarVisible_ = true;
  int buttons_ = app::look::kAllTitleButtons;
  int hovered_ = 0;
  int pressed_ = 0;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace skin
