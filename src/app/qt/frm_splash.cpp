#include "app/qt/frm_splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmSplash::TfrmSplash(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("frmSplash");
  setWindowTitle("frmSplash");
  setFixedSize(248, 87);
  setMinimumWidth(130);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(1, 1, 246, 85);
  suiForm1->SetTitleBarVisible(false);
  suiForm1->SetTitleButtons(0);
  Label1 = skin::MakeLabel(suiForm1, "Label1", "Querying Device ...", QRect(64, 36, 123, 13),
                           skin::SkinFont({"Verdana", 11, true}));
  skin::FitTextWidth(*Label1, Label1->text());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

}  // namespace app
