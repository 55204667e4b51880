// Reads a simulated machine from its JSON fixture.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/sim/machine_model.h"

namespace sim {

class FixtureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws FixtureError with the offending place and what was expected.
Machine LoadMachineFromText(std::string_view json);
Machine LoadMachineFromFile(const std::string& path);
// The demonstration machine compiled into the programs.
Machine DemoMachine();
std::string_view DemoMachineText();

}  // namespace sim
