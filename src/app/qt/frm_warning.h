// The warning that goes with switching Pacelift on.
#pragma once

#include <QDialog>

class QLabel;

namespace skin {
class SkinButton;
class SkinForm;
}  // namespace skin

namespace app {

class TfrmWarning : public QDialog {
  Q_OBJECT
 public:
  // The warning's text and caption come from the main-window model.
  TfrmWarning(QWidget* owner, const QString& text, const QString& caption);

  skin::SkinForm* suiForm1;
  QLabel* Label1;
  skin::SkinButton* suiButton1;

  void suiButton1Click();
};

}  // namespace app
