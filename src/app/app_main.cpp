#include "app/app_main.h"

#include <CLI/CLI.hpp>
#include <QApplication>
#include <exception>
#include <memory>

#include "app/frm_main.h"
#include "app/frm_quillrate_msg_box.h"
#include "app/frm_splash.h"
#include "app/frm_warning.h"
#include "app/startup_messages.h"
#include "platform/platform_choice.h"

namespace app {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFixture = 3;

struct Arguments {
  platform::PlatformChoice choice;
  std::string help;
  std::string error;
  std::string ignored;  // the note on arguments the program does not take
};

Arguments ParseArguments(const QStringList& arguments) {
  Arguments parsed;
  CLI::App parser{"Quillrate: checks a recordable disc in an optical drive before a burn.",
                  "quillrate"};
  std::string simulate;
  auto* simulateOption =
      parser
          .add_option("--simulate", simulate,
                      "Use a simulated machine instead of the real drives: without PATH the "
                      "demonstration machine built into the program, with PATH a fixture file")
          ->expected(0, 1)
          ->option_text("[=PATH]");
  // The window program takes no arguments of its own: anything else on its command line (a
  // desktop launcher's file argument, say) is ignored with a note, never a refusal to start.
  parser.allow_extras();
  std::vector<std::string> reversed;
  for (auto it = arguments.crbegin(); it != arguments.crend() - 1; ++it) {
    reversed.push_back(it->toLocal8Bit().toStdString());
  }
  try {
    parser.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    parsed.help = parser.help();
  } catch (const CLI::ParseError& e) {
    parsed.error = std::string("quillrate: ") + e.what() + "\nRun with --help for usage.";
  }
  if (simulateOption->count() > 0) parsed.choice.simulate = simulate;
  if (parsed.help.empty() && parsed.error.empty() && !parser.remaining().empty()) {
    parsed.ignored = "quillrate: ignoring unknown arguments:";
    for (const std::string& extra : parser.remaining()) parsed.ignored += " " + extra;
  }
  return parsed;
}

}  // namespace

int RunQuillrate(QApplication& application, const QStringList& arguments,
                 const model::ProgramServices& services) {
  application.setApplicationName("Quillrate");
  // No display name: Qt would append it to every window title, and an OEM edition's caption
  // must be its own name and version only.
  QGuiApplication::setQuitOnLastWindowClosed(true);

  const Arguments parsed = ParseArguments(arguments);
  if (!parsed.help.empty()) {
    fputs(parsed.help.c_str(), stdout);
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
    ShowStartupMessage(DisplayText(e.what()), "Error ...", platform::kIconError);
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
    return application.exec();
  } catch (const std::exception& e) {
    ShowStartupMessage(QString::fromLocal8Bit(e.what()), "Error ...", platform::kIconError);
  }
  return 0;
}

}  // namespace app
