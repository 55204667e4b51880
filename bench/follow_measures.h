// The two measures of following drives, shared by the watch and the window benchmarks. A
// Follower is built from a simulated machine and has its `system`, RunFor(ms) on the
// simulator's clock and ReportAtMs(), when the last report was there. The benchmark's argument
// says whether the system watches the drive.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "platform/sim/fixture_loader.h"

namespace follow_bench {

inline constexpr uint64_t kMinuteMs = 60'000;
inline constexpr uint64_t kCommandLatencyNs = 3'000'000;

// The machine both measures follow: one drive of the demo machine, at 3 ms per command, with
// its disc inserted at 1 s (ready at 4 s) when `insertLater`.
inline sim::Machine OneDrive(bool systemWatches, bool insertLater) {
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

inline const char* Label(bool systemWatches) {
  return systemWatches ? "kernel events" : "no kernel events: TEST UNIT READY poll";
}

// Commands an idle drive receives in a minute; the time per iteration is the processor time
// that minute costs.
template <typename Follower>
void IdleMinute(benchmark::State& state) {
  const bool systemWatches = state.range(0) != 0;
  size_t commands = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Follower follower(OneDrive(systemWatches, false));
    const size_t atStart = follower.system.Log().size();
    state.ResumeTiming();
    follower.RunFor(kMinuteMs);
    commands = follower.system.Log().size() - atStart;
  }
  state.counters["commands_per_idle_minute"] = static_cast<double>(commands);
  state.SetLabel(Label(systemWatches));
}

// How long after the disc becomes ready its report is there, in virtual time.
template <typename Follower>
void ReadyToReport(benchmark::State& state) {
  const bool systemWatches = state.range(0) != 0;
  double afterReadyMs = 0;
  for (auto _ : state) {
    Follower follower(OneDrive(systemWatches, true));
    follower.RunFor(20'000);
    afterReadyMs = static_cast<double>(follower.ReportAtMs()) - 4000.0;
  }
  state.counters["virtual_ms_from_ready_to_report"] = afterReadyMs;
  state.SetLabel(Label(systemWatches));
}

}  // namespace follow_bench
