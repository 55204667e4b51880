// The disc status in words and numbers, as the terminal companion prints it and the window
// can show it. MB are 10^6 bytes (as disc makers count them) and GiB 2^30; both are rounded
// down, so free space is never overstated; thousands are set apart by a space. An amount too
// small to show in MB is given in KiB (a block is exactly 2 KiB), and a GiB figure that would
// read 0.00 is left out, so no amount that is there reads as nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/disc_status.h"

namespace media {

inline constexpr const char* kDriveDoesNotSay = "the drive does not say";

// 2295104 as "2 295 104".
std::string GroupedNumber(uint64_t value);
// Gibibytes with two decimals, rounded down: "4.37".
std::string GibibytesText(uint64_t bytes);
// An amount with its unit: "4 700 MB", or under a megabyte "364 KiB" (never "0 MB" for an
// amount that is there); rounded down, or up with `roundUp` (for what is missing).
std::string SizeText(uint64_t bytes, bool roundUp = false);

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
