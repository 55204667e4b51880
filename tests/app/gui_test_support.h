// Helpers for window tests: simulated machines, a watcher that answers modal windows the
// way a user would and records what they showed, and waiting for the device thread.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSignalSpy>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/model/program_services.h"
#include "app/qt/frm_main.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "custom/user_media_file.h"
#include "device/atapi_device.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "support/sim_machines.h"

namespace gui_testing {

struct SeenWindow {
  std::string name;     // objectName of the modal window
  std::string caption;  // its title bar
  std::string text;     // the message or the warning text
  skin::SkinMessageBox::Icon icon = skin::SkinMessageBox::Icon::Information;
  bool splashVisible = false;  // a splash window was visible while it was up
  bool ownerVisible = false;   // the window that owns it was visible
};

// Answers every modal window as it opens, after recording it: closed, as a user closes it,
// unless `answer` is given, which answers it instead (choosing a file, say).
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<int(QDialog&)> answer = {}) : answer_(std::move(answer)) {
    app::SetModalAnswer([this](QDialog& window) { return Answer(window); });
  }
  ~ModalWatcher() { app::SetModalAnswer({}); }
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;
  const std::vector<SeenWindow>& Seen() const { return seen_; }

 private:
  int Answer(QDialog& window) {
    QWidget* modal = &window;
    SeenWindow seen;
    seen.name = modal->objectName().toStdString();
    if (auto* frame = modal->findChild<skin::SkinForm*>("suiForm1")) {
      seen.caption = frame->Caption().toStdString();
    }
    if (auto* box = qobject_cast<skin::SkinMessageBox*>(modal)) {
      seen.text = box->Text().toStdString();
      seen.icon = box->IconKind();
    } else if (auto* label = modal->findChild<QLabel*>("Label1")) {
      seen.text = label->text().toStdString();
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == "frmSplash" && w->isVisible()) seen.splashVisible = true;
    }
    seen.ownerVisible = modal->parentWidget() != nullptr && modal->parentWidget()->isVisible();
    seen_.push_back(seen);
    return answer_ ? answer_(window) : int{QDialog::Rejected};
  }

  std::function<int(QDialog&)> answer_;
  std::vector<SeenWindow> seen_;
};

// Waits until the window's device thread has nothing left to do.
inline void WaitIdle(app::TfrmMain& window) {
  if (!window.DeviceBusy()) return;
  QSignalSpy idle(&window, &app::TfrmMain::DeviceIdle);
  ASSERT_TRUE(idle.wait(10000)) << "device work did not finish";
}

// The machine and the window on it; the machine outlives the window.
struct Rig {
  explicit Rig(const std::string& json,
               app::model::ProgramServices services = app::model::DefaultServices())
      : system(testing_machines::MachineFromJson(json)),
        window(std::make_unique<app::TfrmMain>(*system, std::move(services))) {}
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<app::TfrmMain> window;
};

// The demonstration machine and the window on it, as the program starts with --simulate.
struct DemoRig {
  DemoRig()
      : system(std::make_unique<sim::SimSystem>(sim::DemoMachine())),
        window(std::make_unique<app::TfrmMain>(*system, app::model::DefaultServices())) {}
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<app::TfrmMain> window;
};

// A listed drive for machines written in a test.
inline std::string Drive(const std::string& root, int port, int target, const std::string& product,
                         const std::string& fields) {
  return R"({"root": ")" + root + R"(", "address": {"port": )" + std::to_string(port) +
         R"(, "path": 0, "target": )" + std::to_string(target) +
         R"(, "lun": 0}, "vendor": "VEXO", "product": ")" + product + R"(", "revision": "1.00")" +
         fields + "}";
}

inline const char* kWriter =
    R"(, "reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], "writes": ["cd-r", "cd-rw", "dvd-r"],
       "profiles": ["0x0008", "0x0009", "0x000A", "0x0010", "0x0011", "0x0014"])";
inline const char* kDvdReader =
    R"(, "reads": ["cd-r", "cd-rw", "dvd-rom"], "profiles": ["0x0008", "0x0010"])";
inline const char* kCdReader = R"(, "reads": ["cd-r", "cd-rw"], "profiles": ["0x0008"])";

inline std::string Machine(const std::vector<std::string>& drives,
                           const std::string& platform = "") {
  std::string list;
  for (const std::string& d : drives) list += (list.empty() ? "" : ",") + d;
  return R"({"platform": {"nt": true)" + platform + R"(}, "drives": [)" + list + "]}";
}

}  // namespace gui_testing
