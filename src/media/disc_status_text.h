// The disc status in words and numbers, as the terminal companion prints it and the window
// can show it. MB are 10^6 bytes (as disc makers count them) and GiB 2^30; both are rounded
// down, so free space is never overstated; thousands are set apart by a space.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/disc_status.h"

namespace media {

inline constexpr const char* kDriveDoesNotSay = "the drive does not say";

// 2295104 as "2 295 104".
std::string GroupedNumber(uint64_t value);
// Whole megabytes (10^6 bytes), rounded down, grouped: "4 700".
std::string MegabytesText(uint64_t bytes);
// Gibibytes with two decimals, rounded down: "4.37".
std::string GibibytesText(uint64_t bytes);

// The status lines: "Blank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)", "Appendable: 2
// sessions, 1 204 MB free", "Finished (closed): nothing more can be written", "Rewritable, can
// be erased", ...
std::vector<std::string> DiscStatusLines(const DiscStatus& status);

// The names the JSON gives: "blank", "appendable", "complete", "overwritable", "other"; empty
// when the drive does not say.
const char* DiscStateName(DiscState state);
// "empty", "incomplete", "damaged", "complete"; empty when unknown.
const char* SessionStateName(SessionState state);

}  // namespace media
