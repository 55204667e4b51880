// The disc status as JSON, as `quillrate-cli status --json` prints it and the window saves it
// with the report's details.
#pragma once

#include <nlohmann/json.hpp>

#include "media/disc_status.h"

namespace media {

// disc, disc_status, erasable, sessions, last_session_state, free_blocks, free_bytes and
// recorded_blocks; null where the drive does not say.
nlohmann::ordered_json DiscStatusJson(const DiscStatus& status);

}  // namespace media
