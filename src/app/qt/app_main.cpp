#include "app/qt/app_main.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "app/app_arguments.h"
#include "app/model/live_follow.h"
#include "app/qt/app_identity.h"
#include "app/qt/frm_main.h"
#include "app/qt/frm_quillrate_msg_box.h"
#include "app/qt/frm_splash.h"
#include "app/qt/frm_warning.h"
#include "app/qt/startup_messages.h"
#include "platform/platform_choice.h"

namespace app {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFixture = 3;

Arguments ParseQtArguments(const QStringList& arguments) {
  std::vector<std::string> words;
  for (const QString& word : arguments.mid(1)) words.push_back(word.toLocal8Bit().toStdString());
  return ParseArguments(words);
}

}  // namespace

int RunQuillrate(QApplication& application, const QStringList& arguments,
                 const model::ProgramServices& services) {
  SetProgramIdentity();
  // No display name: Qt would append it to every window title, and an OEM edition's caption
  // must be its own name and version only.
  QGuiApplication::setQuitOnLastWindowClosed(true);

  const Arguments parsed = ParseQtArguments(arguments);
  if (!parsed.answer.empty()) {
    fputs(parsed.answer.c_str(), stdout);
    return 0;
  }
  if (!parsed.error.empty()) {
    fprintf(stderr, "%s\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (!parsed.ignored.empty()) fprintf(stderr, "%s\n", parsed.ignored.c_str());

  QtMessageSink messages;
  std::unique_ptr<platform::System> system;
  try {
    system = platform::CreateSystem(parsed.choice, messages);
  } catch (const std::exception& e) {
    // A simulated machine that cannot be loaded: the reason, and a status that says it.
    fprintf(stderr, "quillrate: %s\n", DisplayText(e.what()).toLocal8Bit().constData());
    ShowStartupMessage(DisplayText(e.what()), model::kErrorCaption, platform::kIconError);
    return kExitFixture;
  }

  try {
    // The windows in their order; the main window does its starting inside its creation.
    TfrmMain frmMain(*system, services);
    TfrmQuillrateMsgBox frmQuillrateMsgBox(&frmMain, DisplayText(services.aboutText()));
    TfrmSplash frmSplash(&frmMain);
    const model::WindowMessage warning = model::PaceliftWarningMessage();
    TfrmWarning frmWarning(&frmMain, QString::fromStdString(warning.text),
                           QString::fromStdString(warning.caption));
    // In Qt, asking to quit before the event loop runs does nothing; the program ends here
    // instead, once the start-up message or the builder window has closed.
    if (frmMain.TerminateRequested()) return 0;
    frmMain.show();
    // From here the window follows the drives and their discs while it is shown.
    frmMain.Model().StartFollowing(model::OpenWindowDriveEvents(*system));
    return application.exec();
  } catch (const std::exception& e) {
    ShowStartupMessage(QString::fromLocal8Bit(e.what()), model::kErrorCaption,
                       platform::kIconError);
  }
  return 0;
}

}  // namespace app
