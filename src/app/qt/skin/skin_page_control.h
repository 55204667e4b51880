// The page control: tabs on top and one page shown at a time. Selecting a page disables and
// hides the page that was shown, then shows and enables the selected one.
#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

namespace skin {

class SkinPageControl : public QWidget {
  Q_OBJECT
 public:
  explicit SkinPageControl(QWidget* parent);

  // Adds a page; it lies at 3, 25 inside the control and fills the rest.
  void AddPage(QWidget* page, const QString& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  QWidget* Page(int index) const;
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  void SetTabMargin(int left) { tabMargin_ = left; }
  QRect TabRect(int index) const;

 signals:
  void ActivePageChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Entry {
    QWidget* page;
    QString caption;
  };
  QVector<Entry> pages_;
  int active_ = -1;
  int hovered_ = -1;
  int tabMargin_ = 10;
};

}  // namespace skin
