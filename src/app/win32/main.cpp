// The Windows window program: the same command line as the Qt program (--simulate, --help,
// --version), the windows in their order, and the message loop.
#include "platform/windows_api.h"

#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <memory>

#include "app/app_arguments.h"
#include "app/model/display_text.h"
#include "app/model/live_follow.h"
#include "app/model/main_window_model.h"
#include "app/model/program_services.h"
#include "app/win32/frm_main.h"
#include "app/win32/frm_small_windows.h"
#include "platform/files/win32/wide_text.h"
#include "platform/platform_choice.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFixture = 3;

app::model::MessageIcon IconOfFlags(uint32_t flags) {
  switch (flags & 0xF0) {
    case 0x10:
      return app::model::MessageIcon::Error;
    case 0x30:
      return app::model::MessageIcon::Warning;
    default:
      return app::model::MessageIcon::Information;
  }
}

// The device layer's own messages, as skinned message boxes.
class Win32MessageSink : public platform::MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) override {
    win32ui::ShowSkinMessage(nullptr, {app::model::DisplayText(text),
                                       app::model::DisplayText(caption), IconOfFlags(flags)});
  }
};

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> words;
  for (int i = 1; wide != nullptr && i < count; ++i) words.push_back(platform::Narrow(wide[i]));
  if (wide != nullptr) LocalFree(wide);
  return words;
}

int RunMessageLoop(win32ui::TfrmMain& frmMain) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    if (frmMain.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return got < 0 ? 1 : 0;
}

}  // namespace

int main() {
  const app::Arguments parsed = app::ParseArguments(Arguments());
  if (!parsed.answer.empty()) {
    return std::fputs(parsed.answer.c_str(), stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
  }
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "%s\n", parsed.error.c_str());
    return kExitUsage;
  }
  if (!parsed.ignored.empty()) std::fprintf(stderr, "%s\n", parsed.ignored.c_str());

  Win32MessageSink messages;
  std::unique_ptr<platform::System> system;
  try {
    system = platform::CreateSystem(parsed.choice, messages);
  } catch (const std::exception& e) {
    // A simulated machine that cannot be loaded: the reason, and a status that says it.
    std::fprintf(stderr, "quillrate: %s\n", app::model::DisplayText(e.what()).c_str());
    win32ui::ShowSkinMessage(nullptr, {app::model::DisplayText(e.what()), app::model::kErrorCaption,
                                       app::model::MessageIcon::Error});
    return kExitFixture;
  }

  try {
    // The main window does its starting inside its creation; the about box and the warning
    // are made when they are shown.
    win32ui::TfrmMain frmMain(*system, app::model::DefaultServices());
    if (frmMain.TerminateRequested()) return 0;
    frmMain.StartFollowing(app::model::OpenWindowDriveEvents(*system));
    return RunMessageLoop(frmMain);
  } catch (const std::exception& e) {
    win32ui::ShowSkinMessage(nullptr, {app::model::DisplayText(e.what()), app::model::kErrorCaption,
                                       app::model::MessageIcon::Error});
  }
  return 0;
}
