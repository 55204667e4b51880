// The window following its drives, on the simulator's clock: commands an idle drive receives
// per minute while the window is shown, the processor time one idle minute of following costs
// the window's model (the time per iteration), and how long after a disc becomes ready the
// window's report is there.
#include <benchmark/benchmark.h>

#include "app/model/main_window_model.h"
#include "follow_measures.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

// Runs each job at once, where it is posted: the bench steps the follow itself.
class InlineThread : public app::model::DeviceThread {
 public:
  void Post(Job job, Done done) override {
    const std::string error = RunAndWait(std::move(job));
    if (done) done(error);
  }
  std::string RunAndWait(Job job) override {
    try {
      job();
    } catch (const std::exception& e) {
      return e.what();
    }
    return {};
  }
  void ToWindow(std::function<void()> call) override { call(); }
};

// Shows nothing; notes when a query ends.
class QuietView : public app::model::MainWindowView {
 public:
  explicit QuietView(sim::SimSystem& system) : system_(system) {}
  uint64_t queryEndedMs = 0;
  void HideUserFileButton() override {}
  void ApplyOemBranding() override {}
  void HideMainWindow() override {}
  void RunBuilder() override {}
  void ShowSplash() override {}
  void CloseSplash() override {}
  void ShowPage(int) override {}
  void ProcessPendingEvents() override {}
  void ShowStepTexts(const std::string&, const std::string&, const std::string&) override {}
  void ShowCaption(const std::string&) override {}
  void ShowDriveLines(const std::vector<std::string>&) override {}
  void SelectDriveLine(int) override {}
  void ShowMainWindow() override {}
  void ClearReport() override {}
  void AppendReportLine(const std::string&) override {}
  void ShowWaitingForDrive(bool) override {}
  void ShowFeatureRow(size_t, const app::model::FeatureRowView&) override {}
  void ShowInputState(const app::model::InputState&) override {}
  void ShowMessage(const app::model::WindowMessage&) override {}
  void ShowWarning(const app::model::WindowMessage&) override {}
  void ShowAbout(const std::string&) override {}
  void ShowHelp(const std::string&, const std::string&) override {}
  std::optional<std::string> ChooseUserFile() override { return std::nullopt; }
  void CloseWindow() override {}
  void QueryEnded() override { queryEndedMs = system_.Clock().NowNs() / 1'000'000; }

 private:
  sim::SimSystem& system_;
};

struct Window {
  explicit Window(sim::Machine machine)
      : system(std::move(machine)),
        view(system),
        model(system, app::model::DefaultServices(), std::make_unique<InlineThread>()) {
    model.FormCreate(view);
    model.StartFollowing(system.OpenDriveEvents({.realTime = false}), false);
  }
  uint64_t NowMs() { return system.Clock().NowNs() / 1'000'000; }
  void RunFor(uint64_t ms) {
    const uint64_t until = NowMs() + ms;
    while (NowMs() < until) model.FollowStep();
  }
  uint64_t ReportAtMs() const { return view.queryEndedMs; }
  sim::SimSystem system;
  QuietView view;
  app::model::MainWindowModel model;
};

void WindowIdleMinute(benchmark::State& state) {
  follow_bench::IdleMinute<Window>(state);
}
BENCHMARK(WindowIdleMinute)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void WindowReadyToReport(benchmark::State& state) {
  follow_bench::ReadyToReport<Window>(state);
}
BENCHMARK(WindowReadyToReport)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
