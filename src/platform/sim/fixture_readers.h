// Readers of the objects of a fixture below the machine: a drive and the disc in it. Each
// refuses a field it does not know and names the place of a value it refuses.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/fixture_values.h"
#include "platform/sim/machine_model.h"

namespace sim::fixture {

Drive ParseDrive(const json& value, const std::string& where);
Disc ParseDisc(const json& value, const std::string& where);
// The timeline of a machine with `driveCount` drives.
std::vector<TimelineEntry> ParseTimeline(const json& value, const std::string& where,
                                         size_t driveCount);

}  // namespace sim::fixture
