#include "app/qt/app_identity.h"

#include <QGuiApplication>

namespace app {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/icon/quillrate-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

void SetProgramIdentity() {
  // The X11 window class is the application name; it must not follow the file's name.
  QCoreApplication::setApplicationName(kWindowClass);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  QGuiApplication::setWindowIcon(ProgramIcon());
}

}  // namespace app
