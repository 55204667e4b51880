// The details window: the disc's status and free space, the write-speed table, the verdict
// and the plot of the speeds. Not modal: it stays open beside the main window, which shows it
// each reading the model makes while it is open.
#pragma once

#include <QWidget>
#include <functional>

#include "app/model/details_model.h"

class QLabel;

namespace skin {
class SkinButton;
class SkinForm;
class SkinMemo;
}  // namespace skin

namespace app {

class SpeedPlotWidget;

class TfrmDetails : public QWidget {
  Q_OBJECT
 public:
  struct Events {
    std::function<void()> readAgain;
    std::function<void()> closed;
  };
  TfrmDetails(QWidget* owner, Events events);

  void ShowDetails(const model::DetailsDescription& details);

  skin::SkinForm* suiForm1;
  QLabel* lblStatus;
  skin::SkinMemo* memSpeeds;
  QLabel* lblVerdict;
  SpeedPlotWidget* pbSpeeds;
  skin::SkinButton* cmdReadAgain;
  skin::SkinButton* cmdClose;

  void cmdReadAgainClick();
  void cmdCloseClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Events events_;
};

}  // namespace app
