#include "app/qt/frm_warning.h"

#include <QLabel>

#include "app/look/small_windows.h"
#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmWarning::TfrmWarning(QWidget* owner, const QString& text, const QString& caption)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
  namespace look = app::look;
  setObjectName(look::kWarningName);
  // The skin lays its controls at fixed places: the window keeps its designed size.
  setFixedSize(look::kWarningSize.width, look::kWarningSize.height);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(rect());
  suiForm1->SetCaption(caption);
  suiForm1->SetTitleButtons(look::kAllTitleButtons);
  Label1 = skin::MakeLabel(suiForm1, look::kWarningLabel.name, text,
                           skin::ToQRect(look::kWarningLabel.at),
                           skin::SkinFont(look::kWarningFont), skin::kNavy);
  Label1->setWordWrap(true);
  suiButton1 = new skin::SkinButton(look::kWarningClose.text, suiForm1);
  suiButton1->setObjectName(look::kWarningClose.name);
  suiButton1->setGeometry(skin::ToQRect(look::kWarningClose.at));
  suiButton1->setFont(skin::SkinFont(look::kWarningCloseFont));
  suiButton1->setDefault(true);
  connect(suiButton1, &QPushButton::clicked, this, [this] { suiButton1Click(); });
  // Always the same place on the screen, wherever the main window is.
  move(look::kWarningLeft, look::kWarningTop);
}

void TfrmWarning::suiButton1Click() {
  close();
}

}  // namespace app
