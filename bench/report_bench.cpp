// One media report on each drive of the demonstration machine, at zero latency: the
// program's own cost per query, and how many commands a query sends when nothing is kept from
// the query before.
#include <benchmark/benchmark.h>

#include "device/atapi_device.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

void MediaReport(benchmark::State& state) {
  const int drive = static_cast<int>(state.range(0));
  sim::SimSystem system(sim::DemoMachine());
  auto device = media::CreateDevice(system);
  media::SilentReportSink sink;
  size_t commands = 0;
  for (auto _ : state) {
    device->SelectDrive(drive);
    device->ForgetAnswers();  // each query starts from a new snapshot, as F5 in the window does
    system.ClearLog();
    benchmark::DoNotOptimize(media::RunMediaReport(*device, {}, sink));
    commands = system.Log().size();
  }
  state.counters["commands"] = static_cast<double>(commands);
  state.SetLabel(std::string(device->GetDriveEntry(static_cast<unsigned>(drive))->Product.data()));
}
BENCHMARK(MediaReport)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
