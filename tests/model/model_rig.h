// The main window's model on a simulated machine without a toolkit: a view that records what
// it is told and a device thread that runs its jobs when the test says.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/model/main_window_model.h"
#include "platform/sim/sim_system.h"
#include "support/sim_machines.h"

namespace model_testing {

using app::model::FeatureRowView;
using app::model::InputState;
using app::model::MainWindowModel;
using app::model::WindowMessage;

// Runs posted jobs only when the test steps it, as a device thread would, one by one: the
// calls a job hands to the window, then its completion. RunAndWait runs at once.
class SteppedThread : public app::model::DeviceThread {
 public:
  void Post(Job job, Done done) override { jobs_.push_back({std::move(job), std::move(done)}); }
  std::string RunAndWait(Job job) override {
    const std::string error = Run(job);
    RunWindowCalls();
    return error;
  }
  void ToWindow(std::function<void()> call) override { window_.push_back(std::move(call)); }

  size_t Queued() const { return jobs_.size(); }
  // Runs the next job with all that follows from it; false when none is queued.
  bool Step() {
    if (jobs_.empty()) return false;
    auto [job, done] = std::move(jobs_.front());
    jobs_.pop_front();
    const std::string error = Run(job);
    RunWindowCalls();
    if (done) done(error);
    return true;
  }
  void RunAll() {
    while (Step()) {
    }
  }

 private:
  static std::string Run(const Job& job) {
    try {
      job();
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }
  void RunWindowCalls() {
    while (!window_.empty()) {
      auto call = std::move(window_.front());
      window_.pop_front();
      call();
    }
  }

  std::deque<std::pair<Job, Done>> jobs_;
  std::deque<std::function<void()>> window_;
};

// Records what the model shows; answers its modal windows as the test says.
class RecordingView : public app::model::MainWindowView {
 public:
  std::vector<std::string> steps;  // the start-up calls, in order
  std::vector<std::string> driveLines;
  std::vector<std::string> memo;
  std::array<FeatureRowView, 3> rows;
  InputState input;
  std::string caption;
  std::vector<WindowMessage> messages;
  std::vector<WindowMessage> warnings;
  std::vector<std::string> about;
  std::vector<std::string> help;
  std::vector<app::model::DetailsDescription> details;  // each time the details view is shown
  std::optional<std::string> fileToChoose;
  bool mainVisible = true;
  bool splashVisible = false;
  bool waiting = false;
  int closeCalls = 0;
  int queriesEnded = 0;
  MainWindowModel* model = nullptr;  // CloseWindow asks it, as a window would

  void HideUserFileButton() override { steps.push_back("HideUserFileButton"); }
  void ApplyOemBranding() override { steps.push_back("ApplyOemBranding"); }
  void HideMainWindow() override {
    steps.push_back("HideMainWindow");
    mainVisible = false;
  }
  void RunBuilder() override { steps.push_back("RunBuilder"); }
  void ShowSplash() override {
    steps.push_back("ShowSplash");
    splashVisible = true;
  }
  void CloseSplash() override {
    steps.push_back("CloseSplash");
    splashVisible = false;
  }
  void ShowPage(int index) override { steps.push_back("ShowPage " + std::to_string(index)); }
  void ProcessPendingEvents() override { steps.push_back("ProcessPendingEvents"); }
  void ShowStepTexts(const std::string& a, const std::string& b, const std::string& c) override {
    steps.push_back("ShowStepTexts " + a + "|" + b.substr(0, 11) + "|" + c);
  }
  void ShowCaption(const std::string& text) override {
    steps.push_back("ShowCaption " + text);
    caption = text;
  }
  void ShowDriveLines(const std::vector<std::string>& lines) override {
    steps.push_back("ShowDriveLines " + std::to_string(lines.size()));
    driveLines = lines;
  }
  void SelectDriveLine(int line) override {
    steps.push_back("SelectDriveLine " + std::to_string(line));
  }
  void ShowMainWindow() override {
    steps.push_back(std::string("ShowMainWindow") + (splashVisible ? " (splash up)" : ""));
  }
  void ClearReport() override { memo.clear(); }
  void AppendReportLine(const std::string& line) override { memo.push_back(line); }
  void ShowWaitingForDrive(bool on) override { waiting = on; }
  void ShowFeatureRow(size_t row, const FeatureRowView& view) override { rows[row] = view; }
  void ShowInputState(const InputState& state) override { input = state; }
  void ShowMessage(const WindowMessage& message) override {
    steps.push_back("ShowMessage " + message.text);
    messages.push_back(message);
  }
  void ShowWarning(const WindowMessage& warning) override { warnings.push_back(warning); }
  void ShowAbout(const std::string& text) override { about.push_back(text); }
  void ShowHelp(const std::string& title, const std::string& text) override {
    help.push_back(title + "\n" + text);
  }
  std::optional<std::string> ChooseUserFile() override { return fileToChoose; }
  void CloseWindow() override {
    ++closeCalls;
    if (model != nullptr) {
      EXPECT_TRUE(model->CloseRequested()) << "closed while still busy";
    }
  }
  void QueryEnded() override { ++queriesEnded; }
  void ShowDetails(const app::model::DetailsDescription& d) override { details.push_back(d); }
};

// A model on a simulated machine, started.
struct Rig {
  explicit Rig(const std::string& json,
               app::model::ProgramServices services = app::model::DefaultServices(),
               std::vector<platform::DriveProblem> problems = {})
      : system(testing_machines::MachineFromJson(json)) {
    system->problems = std::move(problems);
    auto stepped = std::make_unique<SteppedThread>();
    thread = stepped.get();
    model = std::make_unique<MainWindowModel>(*system, std::move(services), std::move(stepped));
    view.model = model.get();
    model->FormCreate(view);
  }
  std::unique_ptr<sim::SimSystem> system;
  SteppedThread* thread;
  RecordingView view;
  std::unique_ptr<MainWindowModel> model;
};

}  // namespace model_testing
