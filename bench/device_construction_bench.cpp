// Constructing the device on the demonstration machine: transport choice, enumeration,
// identity of every drive. The simulator answers at zero latency, so this measures the
// program's own work.
#include <benchmark/benchmark.h>

#include "device/atapi_device.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

void DeviceConstruction(benchmark::State& state) {
  const sim::Machine demo = sim::DemoMachine();
  for (auto _ : state) {
    state.PauseTiming();
    sim::SimSystem system(demo);
    state.ResumeTiming();
    device::AtapiDevice device(system, {});
    benchmark::DoNotOptimize(device.GetDriveCount());
  }
}
BENCHMARK(DeviceConstruction)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace
