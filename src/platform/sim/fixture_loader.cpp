#include "platform/sim/fixture_loader.h"

#include <algorithm>
#include <string>

#include "platform/files/input_file.h"

#include "platform/sim/fixture_fields.h"
#include "platform/sim/fixture_readers.h"

namespace sim {
namespace {

using fixture::Fail;
using fixture::Fields;
using fixture::json;
using fixture::ParseDrive;
using fixture::Ranged;

// A machine description is a few kilobytes; a capture of many drives some hundreds.
constexpr uint64_t kLargestFixture = 16 << 20;

// The library's message without its "[json.exception.parse_error.101] parse error at line
// 3, column 5: " prefix, which the caller says in its own words.
std::string PlainJsonMessage(std::string message) {
  if (message.rfind("[json.exception.", 0) == 0) {
    const size_t close = message.find("] ");
    if (close != std::string::npos) message.erase(0, close + 2);
  }
  const size_t colon = message.find(": ");
  if (message.rfind("parse error", 0) == 0 && colon != std::string::npos) {
    message.erase(0, colon + 2);
  }
  return message;
}

// "not valid JSON at line 3, column 5: syntax error while parsing ..."; the line and column
// of the byte where the parser stopped, counted from 1.
std::string SyntaxErrorText(std::string_view text, const json::parse_error& e) {
  const size_t at = std::min<size_t>(e.byte == 0 ? 0 : e.byte - 1, text.size());
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "not valid JSON at line " + std::to_string(line) + ", column " + std::to_string(column) +
         ": " + PlainJsonMessage(e.what());
}

void ParsePlatform(const json& value, const std::string& where, Machine& machine) {
  Fields()
      .Flag("nt", machine.nt)
      .Flag("version_query_fails", machine.versionQueryFails)
      .Field("aspi",
             [&](const json& aspi, const std::string& at) {
               if (aspi.is_string() && aspi.get<std::string>() == "absent") {
                 machine.aspiPresent = false;
               } else if (aspi.is_string() && aspi.get<std::string>() == "ready") {
                 machine.aspiPresent = true;
                 machine.aspiStatus = 0x01;
               } else {
                 machine.aspiPresent = true;
                 machine.aspiStatus = static_cast<uint8_t>(Ranged(aspi, at, 0, 255));
               }
             })
      .Field("aspi_missing",
             [&](const json& names, const std::string& at) {
               for (const json& name : names) {
                 if (name == "GetASPI32SupportInfo") {
                   machine.aspiHasSupportInfo = false;
                 } else if (name == "SendASPI32Command") {
                   machine.aspiHasSendCommand = false;
                 } else {
                   Fail(at, "expected GetASPI32SupportInfo or SendASPI32Command");
                 }
               }
             })
      .Duration("aspi_latency_ms", machine.aspiLatencyNs, 1'000'000)
      .Flag("events_fail", machine.eventsFail)
      .Flag("counter", machine.counterAvailable)
      .Flag("root_list_fails", machine.rootListFails)
      .Flag("drive_events", machine.driveEvents)
      .Read(value, where);
}

// The system's other roots. Each is named "other_roots[]", without its index.
void ParseOtherRoots(const json& value, const std::string& where, Machine& machine) {
  for (const json& item : value) {
    std::string root;
    uint32_t type = 3;
    Fields().Text("root", root).Number("type", type, 0, 6).Read(item, where + "[]");
    machine.otherRoots.emplace_back(root, type);
  }
}

Machine ParseMachine(const json& value) {
  Machine machine;
  Fields()
      .Text("name", machine.name)
      .Ignored("comment")
      .Field("platform", [&](const json& platform,
                             const std::string& at) { ParsePlatform(platform, at, machine); })
      .Field("other_roots",
             [&](const json& roots, const std::string& at) { ParseOtherRoots(roots, at, machine); })
      .List("drives", machine.drives, ParseDrive, {64, "drives"})
      .Field("timeline",
             [&](const json& timeline, const std::string& at) {
               machine.timeline = fixture::ParseTimeline(timeline, at, machine.drives.size());
             })
      .ReadOutermost(value, "machine");
  return machine;
}

}  // namespace

Machine LoadMachineFromText(std::string_view text) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    throw FixtureError(SyntaxErrorText(text, e));
  } catch (const json::exception& e) {  // numbers out of range
    throw FixtureError("not valid JSON: " + PlainJsonMessage(e.what()));
  }
  try {
    return ParseMachine(root);
  } catch (const json::exception& e) {
    throw FixtureError(std::string("wrong value type: ") + e.what());
  }
}

Machine LoadMachineFromFile(const std::string& path) {
  // Read like every other file: a named pipe or a device is refused before it is opened, and
  // a file far larger than any machine description is refused before it is read.
  const platform::FileContents contents = platform::ReadWholeFile(path, kLargestFixture);
  if (!contents.ok()) throw FixtureError(path + ": " + contents.problem.reason);
  try {
    return LoadMachineFromText(std::string_view(
        reinterpret_cast<const char*>(contents.bytes.data()), contents.bytes.size()));
  } catch (const FixtureError& e) {
    throw FixtureError(path + ": " + e.what());
  }
}

Machine DemoMachine() {
  return LoadMachineFromText(DemoMachineText());
}

}  // namespace sim
