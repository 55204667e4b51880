// A small spinning indicator shown while the drive is becoming ready.
#pragma once

#include <QTimer>
#include <QWidget>

namespace skin {

class BusyIndicator : public QWidget {
  Q_OBJECT
 public:
  explicit BusyIndicator(QWidget* parent);
  void Start();
  void Stop();
  bool Running() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer_;
  int step_ = 0;
};

}  // namespace skin
