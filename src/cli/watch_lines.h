// How `watch` prints one event: a line of text, or one JSON object on one line.
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "live/drive_watcher.h"
#include "media/media_report.h"

namespace cli {

// "   5.300 s  drive 0 (sr0)  ready          Ready: CDR, CMC Magnetics Corporation"; the disc's
// kind and manufacturer come from the report of a Ready event that has one, the drive's
// identity with drive_added.
std::string WatchTextLine(const live::WatchEvent& event, const media::MediaReport* report);

// {"time": 5.3, "drive": 0, "device": "sr0", "event": "ready", "state": "Ready", "report": {...}}
nlohmann::ordered_json WatchJson(const live::WatchEvent& event, const media::MediaReport* report);

}  // namespace cli
