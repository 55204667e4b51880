#include "app/qt/frm_quillrate_msg_box.h"

#include <QLabel>

#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmQuillrateMsgBox::TfrmQuillrateMsgBox(QWidget* owner, const QString& aboutText,
                                         const QString& caption, const QString& name)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(name);
  setFixedSize(486, 420);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(0, 0, 486, 420);
  suiForm1->SetCaption(caption);
  suiForm1->SetTitleButtons(skin::SkinForm::Close);
  Bevel1 = new skin::Bevel(suiForm1);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setGeometry(12, 36, 461, 349);
  lblQuillrate = skin::MakeLabel(suiForm1, "lblQuillrate", QString(), QRect(20, 40, 445, 341),
                                 skin::SkinFont({"Courier New", 12}));
  lblQuillrate->setWordWrap(true);
  lblQuillrate->setAttribute(Qt::WA_TranslucentBackground, true);
  cmdClose = new skin::SkinButton("Close", suiForm1);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setGeometry(208, 392, 81, 21);
  cmdClose->setFont(skin::SkinFont({"Verdana", 11, true}));
  cmdClose->setDefault(true);
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });
  FormCreate(aboutText);
  if (owner != nullptr) {
    const QRect area = owner->frameGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void TfrmQuillrateMsgBox::FormCreate(const QString& aboutText) {
  lblQuillrate->setText(aboutText);
}

void TfrmQuillrateMsgBox::cmdCloseClick() {
  close();
}

}  // namespace app
