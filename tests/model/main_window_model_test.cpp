// The main window's behaviour without a toolkit: a view that records what it is told and a
// device thread that runs its jobs when the test says, on the simulated machines.
#include "app/model/main_window_model.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "app/model/report_export.h"
#include "custom/temp_dir.h"
#include "custom/user_media_file.h"
#include "device/atapi_device.h"
#include "features/feature_switches.h"
#include "media/media_report.h"
#include "model/model_rig.h"
#include "platform/sim/fixture_loader.h"
#include "settings/os_info.h"
#include "support/demo_report.h"
#include "support/sim_machines.h"

namespace {

using app::model::FeatureRowView;
using app::model::InputState;
using app::model::MainWindowModel;
using app::model::MessageIcon;
using app::model::WindowMessage;
using app::model::WindowPhase;

using model_testing::RecordingView;
using model_testing::Rig;
using model_testing::SteppedThread;

std::string DemoJson() {
  std::ifstream in(std::string(QUILLRATE_FIXTURES_DIR) + "/demo.json");
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string Writer(const std::string& root, int port, const std::string& fields = "") {
  return R"({"root": ")" + root + R"(", "address": {"port": )" + std::to_string(port) +
         R"(, "target": 0}, "vendor": "VEXO", "product": "W", "revision": "1.00",
         "writes": ["cd-r", "cd-rw"])" +
         fields + "}";
}

std::string Machine(const std::vector<std::string>& drives) {
  std::string list;
  for (const std::string& d : drives) list += (list.empty() ? "" : ",") + d;
  return R"({"drives": [)" + list + "]}";
}

using testing_demo::kDemoCdReport;

// --- Start-up ---------------------------------------------------------------------------------

TEST(MainWindowModel, StartsUpInTheStepsOfTheStartOnEveryKindOfMachine) {
  const std::vector<std::string> before = {
      "HideUserFileButton",
      "ApplyOemBranding",
      "ShowSplash",
      "ShowPage 0",
      "ProcessPendingEvents",
      "ShowStepTexts Select a target CD-RW/COMBO/DVD Writer|Insert your|The information of "
      "this media as :",
      "ShowCaption Quill-Rate Media Check v3.1.16"};
  auto then = [&](std::vector<std::string> rest) {
    std::vector<std::string> all = before;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  const struct {
    const char* name;
    std::string machine;
    std::vector<std::string> steps;
    bool terminates;
    bool query;
    int selected;  // drive-list index of the current drive; -1: none
  } cases[] = {
      {"the demo machine: five writers behind a reader", DemoJson(),
       then({"ShowDriveLines 5", "SelectDriveLine 0", "ShowMainWindow (splash up)", "CloseSplash"}),
       false, true, 1},
      {"no drive", Machine({}),
       then({"ShowDriveLines 0",
             "ShowMessage No drive detected !\n\nTo see Quillrate at work without a drive, open "
             "the demo: quillrate --simulate",
             "CloseSplash"}),
       true, true, -1},
      {"only a reader",
       Machine({R"({"root": "E:\\", "address": {"port": 1}, "vendor": "V", "product": "R",
                   "reads": ["cd-r"], "profiles": ["0x0008"]})"}),
       then({"ShowDriveLines 0", "ShowMainWindow (splash up)", "CloseSplash"}), false, false, -1},
  };
  for (const auto& c : cases) {
    Rig rig(c.machine);
    EXPECT_EQ(rig.view.steps, c.steps) << c.name;
    EXPECT_EQ(rig.model->TerminateRequested(), c.terminates) << c.name;
    EXPECT_EQ(rig.view.input.query, c.query) << c.name;
    EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle) << c.name;
    EXPECT_EQ(rig.model->Device()->CurrentIndex(), c.selected) << c.name;
    EXPECT_EQ(rig.thread->Queued(), 0u) << c.name << ": the start-up left work behind";
  }
}

// Drives that are there but cannot be opened are not "no drive": the message names each, with
// the system's reason and the remedy; one that opens with less (no sg node) is left out, and
// without any such drive the message stays "No drive detected !".
TEST(MainWindowModel, TheNoDriveMessageNamesTheDrivesThatCouldNotBeOpened) {
  const platform::DriveProblem denied{"/dev/sr0",
                                      "Permission denied: the node belongs to group \"cdrom\" "
                                      "and you are not in it; run \"sudo usermod -aG cdrom "
                                      "$USER\", then log in again",
                                      true};
  const platform::DriveProblem noSg{"/dev/sr1", "the sg module is not loaded", false};
  const std::string noDrive =
      "No drive detected !\n\nTo see Quillrate at work without a drive, open the demo: "
      "quillrate --simulate";
  const struct {
    const char* name;
    std::vector<platform::DriveProblem> problems;
    std::string text;
  } cases[] = {
      {"no problem", {}, noDrive},
      {"a drive that works with less", {noSg}, noDrive},
      {"a drive that cannot be opened",
       {noSg, denied},
       "The drives of this computer could not be opened:\n\n/dev/sr0: " + denied.reason},
      {"two",
       {denied, {"/dev/sr2", "busy", true}},
       "The drives of this computer could not be opened:\n\n/dev/sr0: " + denied.reason +
           "\n\n/dev/sr2: busy"},
  };
  for (const auto& c : cases) {
    Rig rig(Machine({}), app::model::DefaultServices(), c.problems);
    const auto shown =
        std::find(rig.view.steps.begin(), rig.view.steps.end(), "ShowMessage " + c.text);
    EXPECT_NE(shown, rig.view.steps.end()) << c.name;
    EXPECT_TRUE(rig.model->TerminateRequested()) << c.name;
  }
  // A machine with a drive never asks why others could not be used.
  Rig demo(DemoJson(), app::model::DefaultServices(), {denied});
  for (const std::string& step : demo.view.steps)
    EXPECT_EQ(step.rfind("ShowMessage", 0), std::string::npos);
}

TEST(MainWindowModel, EndsTheStartWhenThereIsNoDeviceOrInBuildMode) {
  const struct {
    const char* name;
    std::function<void(app::model::ProgramServices&)> change;
    std::vector<std::string> steps;
  } cases[] = {
      {"the device cannot be created",
       [](auto& s) {
         s.createDevice = [](platform::System&) -> std::unique_ptr<device::AtapiDevice> {
           throw std::runtime_error("no memory");
         };
       },
       {"HideUserFileButton", "ApplyOemBranding", "ShowSplash", "ShowPage 0",
        "ProcessPendingEvents",
        "ShowStepTexts Select a target CD-RW/COMBO/DVD Writer|Insert your|The information of "
        "this media as :",
        "ShowCaption Quill-Rate Media Check v3.1.16", "CloseSplash",
        "ShowMessage Unable to create Device Object !"}},
      {"build mode",
       [](auto& s) { s.isBuildMode = [] { return true; }; },
       {"HideUserFileButton", "ApplyOemBranding", "HideMainWindow", "RunBuilder",
        "ProcessPendingEvents"}},
  };
  for (const auto& c : cases) {
    auto services = app::model::DefaultServices();
    c.change(services);
    Rig rig(DemoJson(), services);
    EXPECT_EQ(rig.view.steps, c.steps) << c.name;
    EXPECT_TRUE(rig.model->TerminateRequested()) << c.name;
    EXPECT_EQ(rig.model->Device(), nullptr) << c.name;
    EXPECT_TRUE(rig.system->Log().empty()) << c.name << ": a drive was asked";
    if (!rig.view.messages.empty()) {
      EXPECT_EQ(rig.view.messages[0], (WindowMessage{"Unable to create Device Object !",
                                                     "Error ...", MessageIcon::Error}));
    }
    // The size is written whatever happened at the start.
    rig.model->FormDestroy(479, 428);
    EXPECT_NE(rig.system->Registry().Find("SOFTWARE\\Quillrate\\", "Width"), nullptr) << c.name;
  }
}

// --- The feature pages ------------------------------------------------------------------------

TEST(MainWindowModel, FeatureButtonsSwitchFromTheStateLastShownAndRefreshAll) {
  const struct {
    const char* support;
    const char* state;
    size_t press;
    uint8_t sentState;  // byte 11 of the page sent back; 0xFF: nothing sent
    size_t warnings;
  } cases[] = {
      {"0x26", "0x20", 0, 0x00, 0},  // Quillrate-disable on: the press clears its bit
      {"0x26", "0x20", 1, 0x22, 0},  // Trimwave off: set, the others as read
      {"0x26", "0x20", 2, 0x24, 1},  // Pacelift off: set, with the warning
      {"0x26", "0x24", 2, 0x20, 0},  // Pacelift on: cleared, no warning
      {"0x00", "0x00", 0, 0xFF, 0},  // not supported: the button takes no press
  };
  for (const auto& c : cases) {
    Rig rig(Machine({Writer("E:\\\\", 1,
                            std::string(R"(, "vendor_page": {"support": ")") + c.support +
                                R"(", "state": ")" + c.state + R"("})")}));
    rig.system->ClearLog();
    rig.model->PressFeature(c.press);
    rig.thread->RunAll();
    std::vector<uint8_t> opcodes;
    for (const auto& command : rig.system->Log()) opcodes.push_back(command.cdb[0]);
    if (c.sentState == 0xFF) {
      EXPECT_TRUE(opcodes.empty()) << c.support;
      continue;
    }
    // One MODE SENSE and the MODE SELECT of the switch, then the refresh's one read of the
    // page, which holds all three features.
    EXPECT_EQ(opcodes, (std::vector<uint8_t>{0x5A, 0x55, 0x5A})) << c.state;
    EXPECT_EQ(rig.system->DriveAt(0).Model().vendorState, c.sentState) << c.state;
    EXPECT_EQ(rig.view.warnings.size(), c.warnings) << c.state;
    if (c.warnings > 0) {
      EXPECT_EQ(rig.view.warnings[0], app::model::PaceliftWarningMessage());
    }
    // The pages show what the drive now says.
    EXPECT_EQ(rig.model->FeatureRow(c.press).state,
              (c.sentState & features::MaskOf(features::kAllFeatures[c.press])) ? "YES" : "NO");
    EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  }
}

TEST(MainWindowModel, FeatureRowsShowEachStatus) {
  Rig rig(Machine({Writer("E:\\\\", 1, R"(, "vendor_page": {"support": "0x26", "state": "0x20"})"),
                   Writer("F:\\\\", 2)}));
  EXPECT_EQ(rig.view.rows,
            (std::array<FeatureRowView, 3>{FeatureRowView{"YES", "YES", "Disable Quillrate", true},
                                           FeatureRowView{"YES", "NO", "Enable Trimwave", true},
                                           FeatureRowView{"YES", "NO", "Enable Pacelift", true}}));
  // Another drive: it has no vendor page, and its rows say so.
  rig.model->cboDrivesChange(1);
  rig.thread->RunAll();
  EXPECT_EQ(rig.model->Device()->CurrentIndex(), 1);
  for (const FeatureRowView& row : rig.view.rows) {
    EXPECT_EQ(row.support, "NO");
    EXPECT_EQ(row.state, "N/A");
    EXPECT_FALSE(row.buttonEnabled);
  }
  EXPECT_EQ(rig.view.input.features, (std::array<bool, 3>{false, false, false}));
}

// --- The query, and closing in every phase ----------------------------------------------------

TEST(MainWindowModel, TheQueryShowsItsLinesAndTakesNoSecondPress) {
  Rig rig(DemoJson());
  rig.model->cmdRefreshClick();
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Querying);
  EXPECT_EQ(rig.view.input, (InputState{false, false, false, {false, false, false}, true, true}));
  rig.model->cmdRefreshClick();
  rig.model->cboDrivesChange(2);
  rig.model->PressFeature(0);
  EXPECT_EQ(rig.thread->Queued(), 1u) << "a second device operation was started";
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.memo, kDemoCdReport);
  EXPECT_EQ(rig.model->ReportLines(), kDemoCdReport);
  EXPECT_EQ(rig.view.queriesEnded, 1);
  EXPECT_FALSE(rig.view.waiting);
  EXPECT_TRUE(rig.model->HasCompleteReport());
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  EXPECT_TRUE(rig.view.input.query);
}

TEST(MainWindowModel, ClosingWaitsForTheDrivesWorkInEveryPhase) {
  const struct {
    const char* name;
    std::function<void(MainWindowModel&)> start;
    bool busy;
  } cases[] = {
      {"idle", [](MainWindowModel&) {}, false},
      {"querying", [](MainWindowModel& m) { m.cmdRefreshClick(); }, true},
      {"selecting a drive", [](MainWindowModel& m) { m.cboDrivesChange(2); }, true},
      {"switching a feature", [](MainWindowModel& m) { m.PressFeature(1); }, true},
  };
  for (const auto& c : cases) {
    Rig rig(DemoJson());
    c.start(*rig.model);
    EXPECT_EQ(rig.model->CloseRequested(), !c.busy) << c.name;
    if (!c.busy) continue;
    EXPECT_EQ(rig.model->Phase(), WindowPhase::Closing) << c.name;
    EXPECT_FALSE(rig.view.input.query || rig.view.input.drives) << c.name;
    rig.thread->RunAll();
    EXPECT_EQ(rig.view.closeCalls, 1) << c.name;
    // Closing starts no further work: no refresh after a selection or a switch.
    EXPECT_EQ(rig.thread->Queued(), 0u) << c.name;
    EXPECT_TRUE(rig.view.messages.empty()) << c.name;
  }
}

TEST(MainWindowModel, AQueryAbandonedByClosingStopsAtItsNextStep) {
  Rig rig(DemoJson());
  rig.model->cmdRefreshClick();
  EXPECT_FALSE(rig.model->CloseRequested());
  rig.thread->RunAll();
  // The query's first step already finds the window gone: no line reaches the memo.
  EXPECT_TRUE(rig.view.memo.empty());
  EXPECT_EQ(rig.view.closeCalls, 1);
}

// A writer whose disc never becomes ready: every wait of the query runs to its limit.
std::string NeverReadyMachine() {
  return Machine({Writer("E:\\\\", 1, R"(, "becoming_ready_seconds": 100000)")});
}

bool OnlyReadinessPolls(const sim::SimSystem& system) {
  for (const auto& c : system.Log()) {
    if (c.cdb[0] != 0x00) return false;
  }
  return true;
}

TEST(MainWindowModel, ClosingOrCancellingEndsAWaitForADriveThatNeverBecomesReady) {
  for (const bool close : {true, false}) {
    SCOPED_TRACE(close ? "closing" : "cancelling");
    Rig rig(NeverReadyMachine());
    rig.system->ClearLog();
    const double start = rig.system->Clock().NowSeconds();
    rig.model->cmdRefreshClick();
    EXPECT_TRUE(rig.view.input.cancel);
    // The user gives up ten seconds into the wait, while the job runs.
    rig.model->Device()->SetWaitObserver([&rig, close](const device::WaitProgress& p) {
      if (p.finished || p.waitedSeconds < 10) return;
      if (close) {
        EXPECT_FALSE(rig.model->CloseRequested());
      } else {
        rig.model->CancelQuery();
      }
    });
    rig.thread->RunAll();
    EXPECT_LT(rig.system->Clock().NowSeconds() - start, 11.0) << "the wait went on";
    EXPECT_TRUE(OnlyReadinessPolls(*rig.system)) << "the drive was sent more than polls";
    EXPECT_FALSE(rig.view.waiting);
    EXPECT_FALSE(rig.view.input.cancel);
    EXPECT_TRUE(rig.view.messages.empty());
    rig.model->Device()->SetWaitObserver({});
    if (close) {
      EXPECT_EQ(rig.view.closeCalls, 1);
      EXPECT_EQ(rig.view.memo, (std::vector<std::string>{"Please wait ..."}));
      rig.model->FormDestroy(479, 428);
      EXPECT_EQ(rig.model->Phase(), WindowPhase::Closed);
      continue;
    }
    EXPECT_EQ(rig.view.closeCalls, 0);
    EXPECT_EQ(rig.view.memo, (std::vector<std::string>{app::model::kQueryCancelledText}));
    EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
    EXPECT_TRUE(rig.model->HasReport());
    EXPECT_FALSE(rig.model->HasCompleteReport());
    EXPECT_TRUE(rig.view.input.query);
    // The next query talks to the drive again and runs its waits to their limits.
    rig.system->ClearLog();
    rig.model->cmdRefreshClick();
    rig.thread->RunAll();
    EXPECT_FALSE(OnlyReadinessPolls(*rig.system));
    EXPECT_NE(rig.view.memo.front(), app::model::kQueryCancelledText);
  }
}

TEST(MainWindowModel, CancelIsTakenOnlyWhileAQueryRuns) {
  Rig plain(DemoJson());
  plain.model->cboDrivesChange(2);
  plain.thread->RunAll();
  plain.model->cmdRefreshClick();
  plain.thread->RunAll();

  Rig rig(DemoJson());
  rig.model->CancelQuery();
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  rig.model->cboDrivesChange(2);
  rig.model->CancelQuery();
  EXPECT_FALSE(rig.view.input.cancel);
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.rows, plain.view.rows) << "a drive selection was cut short";
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.memo, plain.view.memo) << "a cancel before the query reached it";
  EXPECT_EQ(rig.view.memo.size(), 7u);
}

TEST(MainWindowModel, AFailingQueryIsShownAsAnError) {
  auto services = app::model::DefaultServices();
  services.runQuery = [](device::AtapiDevice&, const custom::UserMediaRows&,
                         media::ReportSink&) -> media::MediaReport {
    throw std::runtime_error("drive gone");
  };
  Rig rig(DemoJson(), services);
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  ASSERT_EQ(rig.view.messages.size(), 1u);
  EXPECT_EQ(rig.view.messages[0], (WindowMessage{"drive gone", "Error ...", MessageIcon::Error}));
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  EXPECT_TRUE(rig.view.input.query);
}

// --- The user-file button, the about box, the report --------------------------------------

TEST(MainWindowModel, TheUserFileButtonRegistersLoadsAndRefuses) {
  custom_test::TempDir dir;
  const std::string good = dir.Write("good.txt", "[CD]\n972666_795974=Mine\n");
  const std::string tooLong = "/" + std::string(300, 'p');
  const struct {
    const char* name;
    std::optional<std::string> chosen;
    std::vector<WindowMessage> messages;
    size_t cdRows;
    std::optional<std::string> registered;
  } cases[] = {
      {"a good file", good, {{"User-defined file added !", "Information"}}, 1, good},
      {"a missing file",
       dir.Path() + "/none.txt",
       {{"User-defined file added !", "Information"}},
       0,
       dir.Path() + "/none.txt"},
      {"a folder", dir.Path(), {{"User-defined file added !", "Information"}}, 0, dir.Path()},
      {"cancelled", std::nullopt, {{"User-defined file removed !", "Information"}}, 0, ""},
      {"a path too long for the setting",
       tooLong,
       {{"The path of the user-defined file is too long to be kept (301 bytes; at most 255):\n" +
             tooLong,
         "Error ...", MessageIcon::Error}},
       0,
       std::nullopt},
  };
  for (const auto& c : cases) {
    Rig rig(DemoJson());
    rig.view.fileToChoose = c.chosen;
    rig.model->cmdAddUserFileClick();
    EXPECT_EQ(rig.view.messages, c.messages) << c.name;
    EXPECT_EQ(rig.model->UserRows().cd.size(), c.cdRows) << c.name;
    std::array<char, 256> value{};
    const bool stored = settings::OSInfo::ReadRegString(*rig.system, settings::kProgramKey,
                                                        custom::kUserFileValueName, value);
    EXPECT_EQ(stored ? std::optional<std::string>(value.data()) : std::nullopt, c.registered)
        << c.name;
  }
}

TEST(MainWindowModel, TheAboutBoxAndTheReportShowWhatTheBlockAndTheQueryHold) {
  Rig rig(DemoJson());
  rig.model->cmdShowQRClick();
  ASSERT_EQ(rig.view.about.size(), 1u);
  EXPECT_EQ(rig.view.about[0].rfind("Release Date : 2006/02/13\n     Version : 3.1.16\n", 0), 0u);

  custom_test::TempDir dir;
  EXPECT_FALSE(rig.model->HasReport());
  EXPECT_EQ(rig.model->SaveReport(dir.Path() + "/r.json", true),
            "There is no complete report to save.");
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  std::string text;
  for (const std::string& line : kDemoCdReport) text += line + "\n";
  EXPECT_EQ(rig.model->ReportText(), text);
  EXPECT_EQ(rig.model->SaveReport(dir.Path() + "/r.txt", false), "");
  std::ifstream saved(dir.Path() + "/r.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), text);
  EXPECT_EQ(rig.model->SaveReport(dir.Path() + "/none/r.txt", false),
            "its folder " + dir.Path() + "/none does not exist");
  // A drive change clears the report; there is nothing to save as JSON any more.
  rig.model->cboDrivesChange(1);
  rig.thread->RunAll();
  EXPECT_FALSE(rig.model->HasReport());
  EXPECT_EQ(rig.model->SaveReport(dir.Path() + "/r.json", true),
            "There is no complete report to save.");
}

TEST(MainWindowModel, SavingAddsTheFormatsSuffixOnlyWhenTheNameHasNone) {
  Rig rig(DemoJson());
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  custom_test::TempDir dir;
  const struct {
    const char* typed;
    bool json;
    const char* written;
  } cases[] = {
      {"report", false, "report.txt"},           {"report", true, "report.json"},
      {"report.txt", false, "report.txt"},       {"report.json", true, "report.json"},
      {"report.log", false, "report.log"},        // a suffix of the user's own is kept
      {"my.reports", true, "my.reports"},         // so is any other
      {".report", false, ".report.txt"},          // a hidden file's dot is not a suffix
      {"v1.0/report", true, "v1.0/report.json"},  // nor is a folder's
  };
  std::filesystem::create_directory(dir.Path() + "/v1.0");
  for (const auto& c : cases) {
    const std::string typed = dir.Path() + "/" + c.typed;
    EXPECT_EQ(app::model::WithReportSuffix(typed, c.json), dir.Path() + "/" + c.written) << c.typed;
    std::filesystem::remove(dir.Path() + "/" + c.written);
    EXPECT_EQ(rig.model->SaveReport(typed, c.json), "") << c.typed;
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/" + c.written)) << c.typed;
  }
}

TEST(MainWindowModel, HelpNamesEveryControlAndWhereToLookFurther) {
  Rig rig(DemoJson());
  rig.model->HelpRequested();
  ASSERT_EQ(rig.view.help.size(), 1u);
  const std::string& help = rig.view.help[0];
  EXPECT_EQ(help.rfind("Quill-Rate Help\n", 0), 0u);
  for (const char* word : {"drive list", "F5", "Cancel (Esc)", "Ctrl+Tab", "QUILL-RATE", "Ctrl+S",
                           ".txt", ".json", "Alt+F4"}) {
    EXPECT_NE(help.find(word), std::string::npos) << word;
  }
  // Where the manual and the terminal companion are differs between the systems.
#ifdef _WIN32
  const std::vector<const char*> further = {"quillrate-cli.exe", "--help", "Manual.txt"};
#else
  const std::vector<const char*> further = {"man quillrate", "quillrate-cli --help"};
#endif
  for (const char* word : further) EXPECT_NE(help.find(word), std::string::npos) << word;
  size_t longest = 0, start = 0;
  for (size_t end; (end = help.find('\n', start)) != std::string::npos; start = end + 1) {
    longest = std::max(longest, end - start);
  }
  EXPECT_LE(longest, 58u) << "a line wider than the help box";
  EXPECT_TRUE(rig.model->Phase() == WindowPhase::Idle);
}

TEST(MainWindowModel, FormDestroyWritesTheSizeAndReleasesTheDevice) {
  Rig rig(DemoJson());
  rig.model->FormDestroy(500, 300);
  rig.model->FormDestroy(1, 1);  // once only
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Closed);
  EXPECT_EQ(rig.model->Device(), nullptr);
  const auto* width = rig.system->Registry().Find("SOFTWARE\\Quillrate\\", "Width");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->data, (std::vector<uint8_t>{0xF4, 0x01, 0x00, 0x00}));
}

// --- The details view ---------------------------------------------------------------------

std::vector<uint8_t> Opcodes(const sim::SimSystem& system) {
  std::vector<uint8_t> opcodes;
  for (const auto& command : system.Log()) opcodes.push_back(command.cdb[0]);
  return opcodes;
}

// The commands of a query from the window, the details view opened (and read) or not before.
std::vector<uint8_t> QueryCommands(bool openDetails, bool closeDetails) {
  Rig rig(DemoJson());
  if (openDetails) {
    rig.model->OpenDetails();
    rig.thread->RunAll();
    if (closeDetails) rig.model->DetailsClosed();
  }
  rig.system->ClearLog();
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.memo, kDemoCdReport);
  return Opcodes(*rig.system);
}

TEST(MainWindowModel, TheDetailsAreReadOffTheWindowsThreadOnlyWhenTheViewAsks) {
  Rig rig(DemoJson());
  rig.system->ClearLog();
  rig.model->OpenDetails();
  ASSERT_EQ(rig.view.details.size(), 1u);
  EXPECT_TRUE(rig.view.details[0].reading);
  EXPECT_EQ(rig.view.details[0].statusLines,
            std::vector<std::string>{app::model::kDetailsReadingText});
  EXPECT_TRUE(rig.system->Log().empty()) << "the window's thread asked the drive";
  EXPECT_EQ(rig.thread->Queued(), 1u);
  EXPECT_FALSE(rig.view.input.query) << "a query could start beside the reading";
  rig.thread->RunAll();
  ASSERT_EQ(rig.view.details.size(), 2u);
  EXPECT_FALSE(rig.view.details[1].reading);
  EXPECT_EQ(rig.view.details[1].statusLines,
            std::vector<std::string>{"Appendable: 2 sessions, 245 MB free"});
  EXPECT_EQ(rig.view.details[1].plot.marks.size(), 4u);
  EXPECT_TRUE(rig.view.input.query);
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  // Opened again, it shows what was read, and asks nothing.
  rig.system->ClearLog();
  rig.model->DetailsClosed();
  rig.model->OpenDetails();
  EXPECT_EQ(rig.thread->Queued(), 0u);
  EXPECT_EQ(rig.view.details.back().statusLines, rig.view.details[1].statusLines);
  // Read Again asks afresh.
  rig.model->ReadDetailsAgain();
  rig.thread->RunAll();
  EXPECT_FALSE(rig.system->Log().empty());
  EXPECT_EQ(rig.view.details.back().statusLines, rig.view.details[1].statusLines);
}

TEST(MainWindowModel, AQuerySendsWhatItSentUnlessTheDetailsViewIsOpen) {
  const std::vector<uint8_t> plain = QueryCommands(false, false);
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(QueryCommands(true, true), plain) << "a closed details view still reads";
  // Open, the details are read again after the query's own commands, which stay as they are.
  const std::vector<uint8_t> open = QueryCommands(true, false);
  ASSERT_GT(open.size(), plain.size());
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), open.begin()));
}

TEST(MainWindowModel, TheDetailsFollowTheReportAndAreSavedWithIt) {
  Rig rig(DemoJson());
  custom_test::TempDir dir;
  rig.model->cmdRefreshClick();
  rig.thread->RunAll();
  // Not read: the saved report is the report alone.
  ASSERT_EQ(rig.model->SaveReport(dir.Path() + "/plain.json", true), "");
  std::ifstream plainJson(dir.Path() + "/plain.json");
  EXPECT_FALSE(nlohmann::json::parse(plainJson).contains("details"));
  std::string reportText;
  for (const std::string& line : kDemoCdReport) reportText += line + "\n";
  EXPECT_EQ(rig.model->ReportText(), reportText);

  rig.model->OpenDetails();
  rig.thread->RunAll();
  ASSERT_TRUE(rig.model->Details().has_value());
  const app::model::DetailsDescription shown = rig.view.details.back();
  std::string withDetails = reportText;
  for (const std::string& line : app::model::DetailsExportLines(shown)) withDetails += line + "\n";
  EXPECT_EQ(rig.model->ReportText(), withDetails);
  ASSERT_EQ(rig.model->SaveReport(dir.Path() + "/r", false), "");
  std::ifstream savedText(dir.Path() + "/r.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(savedText), {}), withDetails);
  ASSERT_EQ(rig.model->SaveReport(dir.Path() + "/r.json", true), "");
  std::ifstream savedJson(dir.Path() + "/r.json");
  const nlohmann::json json = nlohmann::json::parse(savedJson);
  EXPECT_EQ(json["details"]["status"]["disc_status"], "appendable");
  EXPECT_EQ(json["details"]["speeds"]["speeds"].size(), 4u);
  EXPECT_TRUE(json["details"]["speeds"]["verdict"].is_null());
  EXPECT_EQ(json["lines"].size(), kDemoCdReport.size());

  // Another drive: the report and its details go, and the open view reads that drive's.
  rig.model->cboDrivesChange(1);
  rig.thread->RunAll();
  EXPECT_FALSE(rig.model->HasReport());
  EXPECT_EQ(rig.view.details.back().statusLines,
            std::vector<std::string>{"Blank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)"});
  // Closed, a drive change reads nothing.
  rig.model->DetailsClosed();
  const size_t shownBefore = rig.view.details.size();
  rig.system->ClearLog();
  rig.model->cboDrivesChange(2);
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.details.size(), shownBefore);
  EXPECT_FALSE(rig.model->Details().has_value());
}

TEST(MainWindowModel, CancelStopsTheDetailsReadingThatFollowsAQuery) {
  Rig rig(DemoJson());
  rig.model->OpenDetails();
  rig.thread->RunAll();
  rig.model->cmdRefreshClick();
  EXPECT_TRUE(rig.view.details.back().reading) << "the open view does not say it will be read";
  ASSERT_TRUE(rig.thread->Step());  // the query; the details reading is queued after it
  ASSERT_EQ(rig.thread->Queued(), 1u);
  EXPECT_TRUE(rig.view.details.back().reading);
  EXPECT_TRUE(rig.view.input.cancel);
  rig.model->CancelQuery();
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.details.back().statusLines,
            std::vector<std::string>{app::model::kDetailsNotReadText});
  EXPECT_FALSE(rig.model->Details().has_value());
  EXPECT_EQ(rig.model->Phase(), WindowPhase::Idle);
  EXPECT_EQ(rig.view.memo, kDemoCdReport) << "the report stays as the query left it";
  // The drive takes commands again.
  rig.model->ReadDetailsAgain();
  rig.thread->RunAll();
  EXPECT_EQ(rig.view.details.back().statusLines,
            std::vector<std::string>{"Appendable: 2 sessions, 245 MB free"});
}

}  // namespace
