// The write-speed table as text lines and as JSON (`quillrate-cli speeds`). Texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "media/speed_table.h"

namespace media {

// The names of the flags, as the JSON and the text give them.
std::vector<std::string> RowFlagNames(uint32_t flags);
std::vector<std::string> TableFlagNames(uint32_t flags);
const char* RotationName(Rotation rotation);  // "CLV", "CAV", "reserved"
const char* SourceName(SpeedSource source);   // "performance", "mode_page"

// The table under a line naming the disc and its rating, then a line for each reason not
// to trust it, then the verdict when there is one.
std::vector<std::string> SpeedTableLines(DiscKind kind, const SpeedTable& table,
                                         const std::optional<std::string>& verdict);

nlohmann::ordered_json SpeedTableJson(DiscKind kind, const SpeedTable& table,
                                      const std::optional<std::string>& verdict);

}  // namespace media
