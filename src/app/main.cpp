#include <QApplication>

#include "app/app_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return app::RunQuillrate(application, QApplication::arguments(), app::model::DefaultServices());
}
