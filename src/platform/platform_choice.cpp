#include "platform/platform_choice.h"

#include "platform/native_system.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace platform {

std::unique_ptr<System> CreateSystem(const PlatformChoice& choice, MessageSink& messages) {
  if (!choice.simulate) return CreateNativeSystem(messages);
  sim::Machine machine =
      choice.simulate->empty() ? sim::DemoMachine() : sim::LoadMachineFromFile(*choice.simulate);
  auto system = std::make_unique<sim::SimSystem>(std::move(machine));
  system->RecordedMessages().forward = &messages;
  return system;
}

}  // namespace platform
