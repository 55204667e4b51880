// Window tests run under the offscreen platform with one QApplication for the whole run.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/qt/app_identity.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  app::SetProgramIdentity();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
