// Arbitrary text as a fixture: the loader either rejects it with a message or yields a
// machine the simulator can run a whole report on.
#include <cstdint>
#include <string_view>

#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  sim::Machine machine;
  try {
    machine =
        sim::LoadMachineFromText(std::string_view(reinterpret_cast<const char*>(bytes), size));
  } catch (const sim::FixtureError&) {
    return 0;
  }
  // Keep each run short: no drive may wait or fail for longer than a few commands.
  for (sim::Drive& drive : machine.drives) {
    drive.becomingReadySeconds = std::min(drive.becomingReadySeconds, 1.0);
    drive.unitAttentions = std::min(drive.unitAttentions, 3);
    if (drive.unitAttentions < 0) drive.unitAttentions = 3;
    for (sim::Fault& fault : drive.faults) {
      if (fault.kind == sim::Fault::Kind::NoAnswer)
        fault.times = std::min(fault.times < 0 ? 2 : fault.times, 2);
    }
  }
  sim::SimSystem system(std::move(machine));
  auto device = media::CreateDevice(system);
  media::SilentReportSink sink;
  for (int i = 0; i < device->GetDriveCount(); ++i) {
    if (device->SelectDrive(i)) media::RunMediaReport(*device, {}, sink);
  }
  return 0;
}
