// Renders every window on the demonstration machine after a query into PNG files, for the
// README. Run through scripts/screenshots.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <cstdio>

#include "app/model/main_window_model.h"
#include "app/model/program_services.h"
#include "app/qt/frm_build_qr.h"
#include "app/qt/frm_details.h"
#include "app/qt/frm_main.h"
#include "app/qt/frm_quillrate_msg_box.h"
#include "app/qt/frm_splash.h"
#include "app/qt/frm_warning.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/startup_messages.h"
#include "platform/platform_choice.h"

namespace {

bool Save(QWidget& window, const QDir& dir, const QString& name) {
  // Pictures without a focus mark, whichever control happened to get the focus.
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
  const QString path = dir.filePath(name);
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("docs/screenshots"));
  QDir().mkpath(dir.path());

  // A modal window would wait for a click that never comes; report it and go on.
  app::SetModalAnswer([](QDialog& window) {
    if (auto* box = qobject_cast<skin::SkinMessageBox*>(&window)) {
      std::fprintf(stderr, "message: %s\n", qPrintable(box->Text()));
    }
    return int{QDialog::Accepted};
  });

  app::QtMessageSink messages;
  auto system = platform::CreateSystem(platform::PlatformChoice{std::string()}, messages);
  app::TfrmMain main(*system, app::model::DefaultServices());
  main.show();
  QSignalSpy finished(&main, &app::TfrmMain::QueryFinished);
  main.cmdRefreshClick();
  if (finished.isEmpty() && !finished.wait(30000)) {
    std::fprintf(stderr, "the query did not finish\n");
    return 1;
  }
  bool ok = Save(main, dir, "main_information.png");
  skin::SkinPageControl& pages = *main.Controls().suiPageControl1;
  pages.SetActivePageIndex(1);
  ok = Save(main, dir, "main_quillrate.png") && ok;
  pages.SetActivePageIndex(2);
  ok = Save(main, dir, "main_trimwave.png") && ok;
  pages.SetActivePageIndex(0);
  QSignalSpy idle(&main, &app::TfrmMain::DeviceIdle);
  main.OpenDetails();
  if (main.Details() == nullptr || (idle.isEmpty() && !idle.wait(30000))) {
    std::fprintf(stderr, "the details were not read\n");
    return 1;
  }
  ok = Save(*main.Details(), dir, "details.png") && ok;
  main.Details()->hide();

  app::TfrmSplash splash;
  ok = Save(splash, dir, "splash.png") && ok;
  const app::model::WindowMessage text = app::model::PaceliftWarningMessage();
  app::TfrmWarning warning(nullptr, QString::fromStdString(text.text),
                           QString::fromStdString(text.caption));
  ok = Save(warning, dir, "warning.png") && ok;
  app::TfrmQuillrateMsgBox about(&main,
                                 app::DisplayText(app::model::DefaultServices().aboutText()));
  ok = Save(about, dir, "about.png") && ok;
  app::TfrmBuildQR builder;
  builder.txtFile->setText("examples/oem-edition.properties");
  ok = Save(builder, dir, "builder.png") && ok;
  skin::SkinMessageBox box;
  box.SetText("User-defined file added !");
  ok = Save(box, dir, "message_box.png") && ok;
  skin::SkinMessageBox error;
  const app::model::WindowMessage noDrive = app::model::NoDriveMessage();
  error.SetCaption(QString::fromStdString(noDrive.caption));
  error.SetIcon(skin::SkinMessageBox::Icon::Error);
  error.SetText(QString::fromStdString(noDrive.text));
  ok = Save(error, dir, "error_box.png") && ok;
  return ok ? 0 : 1;
}
