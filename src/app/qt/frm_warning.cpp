#include "app/qt/frm_warning.h"

#include <QLabel>

#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmWarning::TfrmWarning(QWidget* owner, const QString& text, const QString& caption)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("frmWarning");
  // The skin lays its controls at fixed places: the window keeps its designed size.
  setFixedSize(341, 122);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(0, 0, 341, 122);
  suiForm1->SetCaption(caption);
  suiForm1->SetTitleButtons(skin::SkinForm::SystemMenu | skin::SkinForm::Close |
                            skin::SkinForm::Maximize | skin::SkinForm::Minimize);
  Label1 = skin::MakeLabel(suiForm1, "Label1", text, QRect(24, 36, 289, 53),
                           skin::SkinFont({"Verdana", 11, true}), skin::kNavy);
  Label1->setWordWrap(true);
  suiButton1 = new skin::SkinButton("Close", suiForm1);
  suiButton1->setObjectName("suiButton1");
  suiButton1->setGeometry(248, 88, 80, 25);
  suiButton1->setFont(skin::SkinFont({"Tahoma", 11, true}));
  suiButton1->setDefault(true);
  connect(suiButton1, &QPushButton::clicked, this, [this] { suiButton1Click(); });
  // Always the same place on the screen, wherever the main window is.
  move(318, 265);
}

void TfrmWarning::suiButton1Click() {
  close();
}

}  // namespace app
