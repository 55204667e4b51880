// A machine's timeline: what happens to its drives, when.
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/fixture_fields.h"
#include "platform/sim/fixture_readers.h"

namespace sim::fixture {
namespace {

using Kind = TimelineEntry::Kind;

// Longest a timeline may play, and most times one entry may happen: a day, and enough for
// a storm of notices without letting a fixture fill the memory.
constexpr uint64_t kLongestMs = 24ull * 3600 * 1000;
constexpr int kMostRepeats = 100000;

constexpr std::pair<const char*, Kind> kKinds[] = {
    {"tray_open", Kind::TrayOpen},
    {"tray_closed", Kind::TrayClosed},
    {"disc_inserted", Kind::DiscInserted},
    {"disc_removed", Kind::DiscRemoved},
    {"drive_added", Kind::DriveAdded},
    {"drive_removed", Kind::DriveRemoved},
    {"busy", Kind::Busy},
    {"media_change", Kind::MediaChange},
};

TimelineEntry ParseEntry(const json& value, const std::string& where, size_t driveCount) {
  TimelineEntry entry;
  bool hasTime = false;
  bool hasEvent = false;
  bool hasReadyAfter = false;
  bool hasFor = false;
  bool hasEvery = false;
  uint64_t atMs = 0;
  uint64_t readyAfterMs = 0;
  uint64_t forMs = 0;
  uint64_t everyMs = 0;
  Fields()
      .Field("at_ms",
             [&](const json& at, const std::string& place) {
               atMs = static_cast<uint64_t>(Ranged(at, place, 0, kLongestMs));
               hasTime = true;
             })
      .Field("drive",
             [&](const json& drive, const std::string& place) {
               const int64_t index = Integer(drive, place);
               if (index < 0 || static_cast<size_t>(index) >= driveCount) {
                 Fail(place, "no drive " + std::to_string(index) + " (the machine has " +
                                 std::to_string(driveCount) +
                                 (driveCount == 1 ? " drive)" : " drives)"));
               }
               entry.drive = static_cast<size_t>(index);
             })
      .Field("event",
             [&](const json& event, const std::string& place) {
               hasEvent = true;
               const std::string word = event.get<std::string>();
               std::vector<std::string> words;
               for (const auto& [name, kind] : kKinds) {
                 if (word == name) return void(entry.kind = kind);
                 words.push_back(name);
               }
               Fail(place, "expected " + Fields::Alternatives(words));
             })
      .Field("disc", [&](const json& disc,
                         const std::string& place) { entry.disc = ParseDisc(disc, place); })
      .Field("ready_after_ms",
             [&](const json& after, const std::string& place) {
               hasReadyAfter = true;
               if (after.is_string() && after.get<std::string>() == "never") {
                 entry.neverReady = true;
               } else {
                 readyAfterMs = static_cast<uint64_t>(Ranged(after, place, 0, kLongestMs));
               }
             })
      .Field("for_ms",
             [&](const json& length, const std::string& place) {
               forMs = static_cast<uint64_t>(Ranged(length, place, 1, kLongestMs));
               hasFor = true;
             })
      .Number("repeat", entry.repeat, 1, kMostRepeats)
      .Field("every_ms",
             [&](const json& every, const std::string& place) {
               everyMs = static_cast<uint64_t>(Ranged(every, place, 1, kLongestMs));
               hasEvery = true;
             })
      .Ignored("comment")
      .Read(value, where);

  if (!hasTime) Fail(where, "a timeline entry needs its \"at_ms\"");
  if (!hasEvent) Fail(where, "a timeline entry needs its \"event\"");
  if (!value.contains("drive")) Fail(where, "a timeline entry needs its \"drive\"");
  const bool inserts = entry.kind == Kind::DiscInserted;
  if (inserts && !entry.disc) Fail(where, "disc_inserted needs the \"disc\" put in");
  if (!inserts && entry.disc) Fail(where + ".disc", "only disc_inserted puts a disc in");
  if (!inserts && hasReadyAfter) Fail(where + ".ready_after_ms", "only for disc_inserted");
  if (entry.kind == Kind::Busy && !hasFor) Fail(where, "busy needs \"for_ms\"");
  if (entry.kind != Kind::Busy && hasFor) Fail(where + ".for_ms", "only for busy");
  if (entry.repeat > 1 && !hasEvery) Fail(where, "\"repeat\" needs \"every_ms\"");
  if (entry.repeat == 1 && hasEvery) Fail(where + ".every_ms", "only with \"repeat\"");
  entry.atNs = atMs * 1'000'000;
  entry.readyAfterNs = readyAfterMs * 1'000'000;
  entry.forNs = forMs * 1'000'000;
  entry.everyNs = everyMs * 1'000'000;
  return entry;
}

}  // namespace

std::vector<TimelineEntry> ParseTimeline(const json& value, const std::string& where,
                                         size_t driveCount) {
  if (!value.is_array()) Fail(where, "expected an array");
  std::vector<TimelineEntry> timeline;
  for (size_t i = 0; i < value.size(); ++i) {
    timeline.push_back(ParseEntry(value[i], Element(where, i), driveCount));
  }
  return timeline;
}

}  // namespace sim::fixture
