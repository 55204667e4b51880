// Readers of the objects of a fixture below the machine: a drive and the disc in it. Each
// refuses a field it does not know and names the place of a value it refuses.
#pragma once

#include <string>

#include "platform/sim/fixture_values.h"
#include "platform/sim/machine_model.h"

namespace sim::fixture {

Drive ParseDrive(const json& value, const std::string& where);
Disc ParseDisc(const json& value, const std::string& where);

}  // namespace sim::fixture
