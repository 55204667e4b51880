#include "app/qt/frm_quillrate_msg_box.h"

#include <QLabel>

#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmQuillrateMsgBox::TfrmQuillrateMsgBox(QWidget* owner, const QString& aboutText,
                                         const QString& caption, const QString& name)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  namespace look = app::look;
  setObjectName(name);
  setFixedSize(look::kAboutSize.width, look::kAboutSize.height);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(rect());
  suiForm1->SetCaption(caption);
  suiForm1->SetTitleButtons(skin::SkinForm::Close);
  Bevel1 = new skin::Bevel(suiForm1);
  Bevel1->setObjectName(look::kAboutBevel.name);
  Bevel1->setGeometry(skin::ToQRect(look::kAboutBevel.at));
  lblQuillrate =
      skin::MakeLabel(suiForm1, look::kAboutText.name, QString(),
                      skin::ToQRect(look::kAboutText.at), skin::SkinFont(look::kAboutTextFont));
  lblQuillrate->setWordWrap(true);
  lblQuillrate->setAttribute(Qt::WA_TranslucentBackground, true);
  cmdClose = new skin::SkinButton(look::kAboutClose.text, suiForm1);
  cmdClose->setObjectName(look::kAboutClose.name);
  cmdClose->setGeometry(skin::ToQRect(look::kAboutClose.at));
  cmdClose->setFont(skin::SkinFont(look::kAboutCloseFont));
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
