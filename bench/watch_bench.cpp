// The watch over one drive with a disc, on the simulator's clock: commands the drive receives
// per idle minute, with the system's notices (the kernel polls the drive) and without (the
// watch asks it every 2 seconds), and how long after the disc becomes ready its report is
// there. The time per iteration is the processor time one idle minute of watching costs.
#include <benchmark/benchmark.h>

#include "live/drive_watcher.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

constexpr uint64_t kMinuteMs = 60'000;
constexpr uint64_t kCommandLatencyNs = 3'000'000;

sim::Machine OneDrive(bool systemWatches, bool insertLater) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(1);
  drive.root = "sr0";
  drive.systemWatches = systemWatches;
  drive.latencyNs = kCommandLatencyNs;
  if (insertLater) {
    sim::TimelineEntry insert;
    insert.kind = sim::TimelineEntry::Kind::DiscInserted;
    insert.atNs = 1'000'000'000;
    insert.disc = drive.disc;
    insert.readyAfterNs = 3'000'000'000;
    machine.timeline = {insert};
    drive.disc.reset();
  }
  machine.drives = {drive};
  return machine;
}

struct Watch {
  explicit Watch(sim::Machine machine)
      : system(std::move(machine)), events(system.OpenDriveEvents({.realTime = false})) {
    live::WatcherOptions options;
    options.openDevice = [this] { return media::CreateDevice(system); };
    options.query = [](device::AtapiDevice& device, int index) {
      device.SelectDrive(index);
      media::SilentReportSink sink;
      benchmark::DoNotOptimize(media::RunMediaReport(device, {}, sink));
      return true;
    };
    options.output = [this](const live::WatchEvent& event) {
      if (event.withReport) reportAtMs = event.timeMs;
      return true;
    };
    watcher = std::make_unique<live::DriveWatcher>(system, *events, std::move(options));
    watcher->Start();
  }
  void RunFor(uint64_t ms) {
    const uint64_t until = events->NowMs() + ms;
    while (events->NowMs() < until) watcher->Step();
  }
  sim::SimSystem system;
  std::unique_ptr<platform::DriveEvents> events;
  std::unique_ptr<live::DriveWatcher> watcher;
  uint64_t reportAtMs = 0;
};

void IdleMinute(benchmark::State& state) {
  const bool systemWatches = state.range(0) != 0;
  size_t commands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Watch watch(OneDrive(systemWatches, false));
    const size_t atStart = watch.system.Log().size();
    state.ResumeTiming();
    watch.RunFor(kMinuteMs);
    commands = watch.system.Log().size() - atStart;
  }
  state.counters["commands_per_idle_minute"] = static_cast<double>(commands);
  state.SetLabel(systemWatches ? "kernel events" : "no kernel events: TEST UNIT READY poll");
}
BENCHMARK(IdleMinute)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void ReadyToReport(benchmark::State& state) {
  const bool systemWatches = state.range(0) != 0;
  double afterReadyMs = 0;
  for (auto _ : state) {
    Watch watch(OneDrive(systemWatches, true));
    watch.RunFor(20'000);
    // The disc went in at 1 s and was ready at 4 s.
    afterReadyMs = static_cast<double>(watch.reportAtMs) - 4000.0;
  }
  state.counters["virtual_ms_from_ready_to_report"] = afterReadyMs;
  state.SetLabel(systemWatches ? "kernel events" : "no kernel events: TEST UNIT READY poll");
}
BENCHMARK(ReadyToReport)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
