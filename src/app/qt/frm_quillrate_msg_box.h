// The about dialog: the edition's release date, version, drive models and remark.
#pragma once

#include <QDialog>
#include <QString>

#include "app/look/small_windows.h"

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
  // `aboutText` is the composed text, as the main-window model shows it. The help window is
  // the same box with its own caption and name.
  TfrmQuillrateMsgBox(QWidget* owner, const QString& aboutText,
                      const QString& caption = app::look::kAboutCaption,
                      const QString& name = app::look::kAboutName);

  skin::SkinForm* suiForm1;
  skin::Bevel* Bevel1;
  QLabel* lblQuillrate;
  skin::SkinButton* cmdClose;

  void cmdCloseClick();

 private:
  void FormCreate(const QString& aboutText);
};

}  // namespace app
