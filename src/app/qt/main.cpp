#include <QApplication>
#include <cstdio>

#include "app/app_arguments.h"
#include "app/qt/app_main.h"

int main(int argc, char** argv) {
  // --help and --version answer before Qt starts: Qt would need a display, and neither opens a
  // window or touches a drive. Everything else is parsed once Qt has taken its own options.
  const app::Arguments early = app::ParseArguments({argv + 1, argv + argc});
  if (!early.answer.empty()) {
    return std::fputs(early.answer.c_str(), stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
  }
  QApplication application(argc, argv);
  return app::RunQuillrate(application, QApplication::arguments(), app::model::DefaultServices());
}
