// A query's results as JSON: the terminal's `report --json` and the window's "save as JSON"
// write the same document. Texts are converted from Windows-1252 to UTF-8.
#pragma once

#include <nlohmann/json.hpp>

#include "device/drive_entry.h"
#include "media/media_report.h"

namespace media {

// The identifiers of the disc (kind, times, IDs, capacity) as far as the report read them.
nlohmann::ordered_json DiscJson(const MediaReport& report);

// The whole report: drive, LightScribe, disc, manufacturer, speed limit, write speeds, lines.
nlohmann::ordered_json ReportJson(const device::DriveEntry& drive, int driveIndex,
                                  const MediaReport& report);

const char* LightScribeMeaning(int32_t state);

}  // namespace media
