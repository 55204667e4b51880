// The watch over one drive with a disc, on the simulator's clock: commands the drive receives
// per idle minute, with the system's notices (the kernel polls the drive) and without (the
// watch asks it every 2 seconds), and how long after the disc becomes ready its report is
// there. The time per iteration is the processor time one idle minute of watching costs.
#include <benchmark/benchmark.h>

#include "follow_measures.h"
#include "live/drive_watcher.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

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
  uint64_t ReportAtMs() const { return reportAtMs; }
};

void IdleMinute(benchmark::State& state) {
  follow_bench::IdleMinute<Watch>(state);
}
BENCHMARK(IdleMinute)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void ReadyToReport(benchmark::State& state) {
  follow_bench::ReadyToReport<Watch>(state);
}
BENCHMARK(ReadyToReport)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
