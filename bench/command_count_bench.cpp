// How many commands one `quillrate-cli report` sends, drive list included, for each kind of
// disc, and how long a drive that takes 3 ms per command is busy with them. The machine has
// one drive of the demonstration machine; the clock is the simulator's.
#include <benchmark/benchmark.h>

#include <optional>

#include "device/atapi_device.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

constexpr uint64_t kCommandLatencyNs = 3'000'000;

struct Case {
  const char* name;
  size_t demoDrive;  // the demonstration machine's drive, alone on the machine
  bool disc;         // false: its disc taken out
};

constexpr Case kCases[] = {
    {"CD-R", 1, true}, {"DVD+R", 2, true},    {"DVD-R", 3, true},
    {"BD-R", 4, true}, {"no disc", 1, false},
};

sim::Machine OneDriveMachine(const Case& c) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(c.demoDrive);
  if (!c.disc) drive.disc.reset();
  drive.latencyNs = kCommandLatencyNs;
  machine.drives = {drive};
  return machine;
}

void ReportCommands(benchmark::State& state) {
  const Case& c = kCases[static_cast<size_t>(state.range(0))];
  size_t commands = 0;
  double driveSeconds = 0;
  for (auto _ : state) {
    sim::SimSystem system(OneDriveMachine(c));
    auto device = media::CreateDevice(system);
    device->SelectDrive(0);
    media::SilentReportSink sink;
    benchmark::DoNotOptimize(media::RunMediaReport(*device, {}, sink));
    commands = system.Log().size();
    driveSeconds = system.Clock().NowSeconds();
  }
  state.counters["commands"] = static_cast<double>(commands);
  state.counters["drive_s_at_3ms"] = driveSeconds;
  state.SetLabel(c.name);
}
BENCHMARK(ReportCommands)->DenseRange(0, std::size(kCases) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
