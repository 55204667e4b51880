// The about dialog: the edition's release date, version, drive models and remark.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace skin {
class Bevel;
class SkinButton;
class SkinForm;
}  // namespace skin

namespace app {

class TfrmQuillrateMsgBox : public QDialog {
  Q_OBJECT
 public:
  // `aboutText` is the composed text (8-bit program text).
  TfrmQuillrateMsgBox(QWidget* owner, const std::string& aboutText);

  skin::SkinForm* suiForm1;
  skin::Bevel* Bevel1;
  QLabel* lblQuillrate;
  skin::SkinButton* cmdClose;

  void cmdCloseClick();

 private:
  void FormCreate(const std::string& aboutText);
};

}  // namespace app
