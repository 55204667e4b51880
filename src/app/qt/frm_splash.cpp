#include "app/qt/frm_splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/look/small_windows.h"
#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {

TfrmSplash::TfrmSplash(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  namespace look = app::look;
  setObjectName(look::kSplashName);
  setWindowTitle(look::kSplashName);
  setFixedSize(look::kSplashSize.width, look::kSplashSize.height);
  setMinimumWidth(look::kSplashMinimumWidth);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(skin::ToQRect(look::kSplashFrame));
  suiForm1->SetTitleBarVisible(false);
  suiForm1->SetTitleButtons(0);
  Label1 = skin::MakeLabel(suiForm1, look::kSplashLabel.name, look::kSplashLabel.text,
                           skin::ToQRect(look::kSplashLabel.at), skin::SkinFont(look::kSplashFont));
  skin::FitTextWidth(*Label1, Label1->text());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

}  // namespace app
