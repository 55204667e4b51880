// How many commands one media query sends for each kind of disc, and how long a drive that
// takes 3 ms per command is busy with them. The machine has one drive of the demonstration
// machine; the clock is the simulator's. `query_commands` counts the query alone with nothing
// kept from before (as F5 in the window, which starts a new snapshot); `run_commands` counts
// a whole `quillrate-cli report`: the drive list, then the query, which may take answers the
// drive list read. The disc status that `status` and `fits` read is counted the same way.
#include <benchmark/benchmark.h>

#include <string>

#include "app/model/program_services.h"
#include "device/atapi_device.h"
#include "media/disc_status.h"
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
  bool otherMaker;   // a drive of another maker: it does not know the vendor media-ID command
};

constexpr Case kCases[] = {
    {"DVD-ROM", 0, true, false},
    {"CD-R", 1, true, false},
    {"DVD+R", 2, true, false},
    {"DVD-R", 3, true, false},
    {"BD-R", 4, true, false},
    {"no disc", 1, false, false},
    {"DVD+R, drive of another maker", 2, true, true},
};

sim::Machine OneDriveMachine(const Case& c) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(c.demoDrive);
  if (!c.disc) drive.disc.reset();
  if (c.otherMaker) {
    drive.vendor = "OTHR";
    drive.vendorMediaId = false;
  }
  drive.latencyNs = kCommandLatencyNs;
  machine.drives = {drive};
  return machine;
}

// One whole run (drive list and query), then the query again on a cold snapshot: nothing it
// sends is served by the drive list.
void CountQueryCommands(benchmark::State& state, const media::QueryOptions& options) {
  const Case& c = kCases[static_cast<size_t>(state.range(0))];
  size_t queryCommands = 0;
  size_t runCommands = 0;
  double driveSeconds = 0;
  for (auto _ : state) {
    sim::SimSystem system(OneDriveMachine(c));
    auto device = media::CreateDevice(system);
    device->SelectDrive(0);
    media::SilentReportSink sink;
    benchmark::DoNotOptimize(media::RunMediaReport(*device, {}, sink, options));
    runCommands = system.Log().size();

    state.PauseTiming();
    device->ForgetAnswers();
    system.ClearLog();
    const double start = system.Clock().NowSeconds();
    state.ResumeTiming();
    benchmark::DoNotOptimize(media::RunMediaReport(*device, {}, sink, options));
    queryCommands = system.Log().size();
    driveSeconds = system.Clock().NowSeconds() - start;
  }
  state.counters["query_commands"] = static_cast<double>(queryCommands);
  state.counters["run_commands"] = static_cast<double>(runCommands);
  state.counters["query_s_at_3ms"] = driveSeconds;
  state.SetLabel(c.name);
}

void ReportCommands(benchmark::State& state) {
  CountQueryCommands(state, {});
}
BENCHMARK(ReportCommands)->DenseRange(0, std::size(kCases) - 1)->Unit(benchmark::kMicrosecond);

// The same for `quillrate-cli speeds`: the query that also reads both write speed lists and
// the disc's rating. Within the query each command goes out once between two commands that
// change the drive; in a whole run the drive list's shorter read of the capabilities page
// cannot answer the query's read of the whole page, so the page goes out once more.
void SpeedsCommands(benchmark::State& state) {
  media::QueryOptions options;
  options.speedTable = true;
  CountQueryCommands(state, options);
}
BENCHMARK(SpeedsCommands)->DenseRange(0, std::size(kCases) - 1)->Unit(benchmark::kMicrosecond);

// `quillrate-cli status` on the same drives (the demonstration machine's CD-R is appendable,
// its DVD+R and BD-R blank, its DVD-ROM and DVD-R finished): `status_commands` counts what
// reading the disc status sends on a cold snapshot, the readiness check included.
void StatusCommands(benchmark::State& state) {
  const Case& c = kCases[static_cast<size_t>(state.range(0))];
  size_t statusCommands = 0;
  double driveSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    sim::SimSystem system(OneDriveMachine(c));
    auto device = media::CreateDevice(system);
    device->SelectDrive(0);
    device->ForgetAnswers();
    system.ClearLog();
    const double start = system.Clock().NowSeconds();
    state.ResumeTiming();
    benchmark::DoNotOptimize(media::ReadDiscStatus(*device));
    statusCommands = system.Log().size();
    driveSeconds = system.Clock().NowSeconds() - start;
  }
  state.counters["status_commands"] = static_cast<double>(statusCommands);
  state.counters["status_s_at_3ms"] = driveSeconds;
  state.SetLabel(c.name);
}
BENCHMARK(StatusCommands)->DenseRange(0, std::size(kCases) - 1)->Unit(benchmark::kMicrosecond);

// The window's drive list: the window program identifies every drive when it starts, so a
// machine of N drives (copies of the demonstration machine's DVD+R writer at ports 0-3,
// targets 0-3) costs `list_s_at_3ms` of drive time before the main window can show. The
// drives are asked at the same time, each from a thread of its own, so the list takes as long
// as its slowest drive: `list_s_at_3ms` is the simulator's virtual time, in which each thread's
// commands take their time on a timeline of its own and the list ends with the longest one
// (the benchmark's own time is the processor's work for the threads). The second argument
// makes one drive of the machine ten times slower (30 ms per command) than the others.
void WindowDriveList(benchmark::State& state) {
  const int drives = static_cast<int>(state.range(0));
  const bool oneSlow = state.range(1) != 0;
  sim::Machine machine = sim::DemoMachine();
  const sim::Drive writer = machine.drives.at(2);
  machine.drives.clear();
  for (int i = 0; i < drives; ++i) {
    sim::Drive drive = writer;
    drive.root = std::string(1, static_cast<char>('D' + i)) + ":\\";
    drive.port = static_cast<uint8_t>(i / 4);
    drive.target = static_cast<uint8_t>(i % 4);
    drive.latencyNs = kCommandLatencyNs;
    machine.drives.push_back(drive);
  }
  if (oneSlow) machine.drives.at(static_cast<size_t>(drives / 2)).latencyNs *= 10;
  const auto createDevice = app::model::DefaultServices().createDevice;
  size_t listCommands = 0;
  double driveSeconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    sim::SimSystem system(machine);
    const double start = system.Clock().NowSeconds();
    state.ResumeTiming();
    auto device = createDevice(system);  // as the window program makes it
    benchmark::DoNotOptimize(device->GetDriveCount());
    listCommands = system.Log().size();
    driveSeconds = system.Clock().NowSeconds() - start;
  }
  state.counters["list_commands"] = static_cast<double>(listCommands);
  state.counters["list_s_at_3ms"] = driveSeconds;
  state.SetLabel(oneSlow ? "one drive at 30 ms per command" : "");
}
BENCHMARK(WindowDriveList)
    ->Args({1, 0})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
