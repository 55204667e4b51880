// The field reader of fixture objects: a field it was not told of is refused by name at
// every level of a fixture, a field left out keeps the model's default, and the values it
// reads are checked where they are found.
#include "platform/sim/fixture_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/fixture_loader.h"

namespace {

using sim::fixture::Fields;
using sim::fixture::json;

// The message a fixture is refused with; empty when it is taken.
std::string Refusal(const std::string& text) {
  try {
    sim::LoadMachineFromText(text);
  } catch (const sim::FixtureError& e) {
    return e.what();
  }
  return "";
}

TEST(FixtureFields, UnknownFieldIsRefusedByNameAtEveryLevel) {
  struct Case {
    const char* json;
    const char* message;
  };
  for (const Case& c : {
           Case{R"({"platform": {"nt": true, "win": 1}})", R"(platform: unknown field "win")"},
           Case{R"({"other_roots": [{"root": "C:\\", "kind": 3}]})",
                R"(other_roots[]: unknown field "kind")"},
           Case{R"({"drives": [{}, {"adress": {}}]})", R"(drives[1]: unknown field "adress")"},
           Case{R"({"drives": [{"address": {"bus": 1}}]})",
                R"(drives[0].address: unknown field "bus")"},
           Case{R"({"drives": [{"vendor_page": {"mode": 1}}]})",
                R"(drives[0].vendor_page: unknown field "mode")"},
           Case{R"({"drives": [{"lightscribe": {"spokes": 1}}]})",
                R"(drives[0].lightscribe: unknown field "spokes")"},
           Case{R"({"drives": [{"faults": [{}, {"opcode": 18}]}]})",
                R"(drives[0].faults[1]: unknown field "opcode")"},
           Case{R"({"drives": [{"replay": [{"cdb": "hex:00", "dir": "in"}]}]})",
                R"(drives[0].replay[0]: unknown field "dir")"},
           Case{R"({"drives": [{"disc": {"type": "cd-r", "colour": "gold"}}]})",
                R"(drives[0].disc: unknown field "colour")"},
           Case{R"({"drives": [{"disc": {"type": "bd-re", "formattable": [{"size": 1}]}}]})",
                R"(drives[0].disc.formattable[0]: unknown field "size")"},
           Case{R"({"drives": [{"disc": {"type": "dvd-r", "write_speeds": [{"kbps": 1}]}}]})",
                R"(drives[0].disc.write_speeds[0]: unknown field "kbps")"},
           // Refused before any value is read, even a wrong one next to it.
           Case{R"({"drives": [{"inquiry_length": 97, "vendorr": "x"}]})",
                R"(drives[0]: unknown field "vendorr")"},
       }) {
    EXPECT_EQ(Refusal(c.json), c.message);
  }
}

TEST(FixtureFields, MistakenValuesAreRefusedWhereTheyAre) {
  struct Case {
    const char* json;
    const char* message;
  };
  for (const Case& c : {
           Case{R"({"drives": [{"disc": {"layers": 2}}]})", "drives[0].disc.type: expected one of"},
           Case{R"({"drives": [{"replay": [{"length": 4}]}]})",
                R"(drives[0].replay[0]: a recorded command needs its "cdb")"},
           Case{R"({"drives": [{"replay": [{"cdb": null}]}]})",
                R"(drives[0].replay[0].cdb: expected a text or "hex:...")"},
           Case{R"({"drives": [{"replay": [{"cdb": "hex:00", "direction": "up"}]}]})",
                "drives[0].replay[0].direction: expected in, out or none"},
           Case{R"({"drives": [{"writes": ["cd-r", "dvd-rom"]}]})",
                R"(drives[0].writes: unknown medium "dvd-rom")"},
           Case{R"({"drives": [{"reads": ["dvd-rw"]}]})",
                R"(drives[0].reads: unknown medium "dvd-rw")"},
           Case{R"({"drives": [{"disc": {"type": "cd-r", "formattable": {}}}]})",
                "drives[0].disc.formattable: expected an array"},
       }) {
    EXPECT_EQ(Refusal(c.json).rfind(c.message, 0), 0u) << Refusal(c.json);
  }
}

TEST(FixtureFields, LeftOutFieldsKeepTheModelsDefaults) {
  const sim::Machine loaded = sim::LoadMachineFromText(R"({"drives": [{"disc": {"type": "cd-r",
      "formattable": [{}], "write_speeds": [{}]}, "replay": [{"cdb": "hex:00"}],
      "faults": [{}], "vendor_page": {}}]})");
  const sim::Machine plain;
  EXPECT_EQ(loaded.nt, plain.nt);
  EXPECT_EQ(loaded.counterAvailable, plain.counterAvailable);
  const sim::Drive& drive = loaded.drives.at(0);
  const sim::Drive model;
  EXPECT_EQ(drive.inquiryLength, model.inquiryLength);
  EXPECT_EQ(drive.maxReadKbps, model.maxReadKbps);
  EXPECT_EQ(drive.cdrRead, model.cdrRead);
  EXPECT_EQ(drive.opens, model.opens);
  EXPECT_TRUE(drive.vendorPage);
  EXPECT_EQ(drive.vendorSupport, model.vendorSupport);
  EXPECT_EQ(drive.faults.at(0).kind, sim::Fault{}.kind);
  EXPECT_EQ(drive.faults.at(0).times, sim::Fault{}.times);
  EXPECT_EQ(drive.replay.at(0).direction, sim::RecordedCommand{}.direction);
  EXPECT_EQ(drive.replay.at(0).transportOk, sim::RecordedCommand{}.transportOk);
  const sim::Disc& disc = drive.disc.value();
  EXPECT_EQ(disc.formattable.at(0).parameter, sim::FormatDescriptor{}.parameter);
  EXPECT_EQ(disc.capacityDescriptorType, sim::Disc{}.capacityDescriptorType);
  EXPECT_FALSE(disc.bookType.has_value());
}

// The reader itself, on one object: fields are read in the order they were named, a
// required field is read even when left out, and an ignored one takes any value.
TEST(FixtureFields, ReadsNamedFieldsInOrder) {
  std::vector<std::string> seen;
  const auto note = [&seen](const json& value, const std::string& where) {
    seen.push_back(where + (value.is_discarded() ? "=missing" : "=" + value.dump()));
  };
  Fields()
      .Field("b", note)
      .Required("a", note)
      .Required("c", note)
      .Field("d", note)
      .Ignored("comment")
      .Read(json::parse(R"({"c": 3, "comment": [1], "b": 2})"), "x");
  EXPECT_EQ(seen, (std::vector<std::string>{"x.b=2", "x.a=missing", "x.c=3"}));
}

TEST(FixtureFields, ListsAndChoicesSayWhatTheyTake) {
  std::vector<int> numbers;
  int choice = 0;
  const Fields fields = Fields()
                            .List("n", numbers,
                                  [](const json& value, const std::string& at) {
                                    return static_cast<int>(sim::fixture::Ranged(value, at, 0, 9));
                                  },
                                  {2, "numbers"})
                            .Choice("c", choice, {{"one", 1}, {"two", 2}, {"three", 3}});
  const auto refusal = [&fields](const char* text) -> std::string {
    try {
      fields.Read(json::parse(text), "x");
    } catch (const sim::FixtureError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(refusal(R"({"n": [1, 2, 3]})"), "x.n: at most 2 numbers");
  EXPECT_EQ(refusal(R"({"n": [1, 10]})"), "x.n[1]: value 10 outside 0..9");
  EXPECT_EQ(refusal(R"({"c": "four"})"), "x.c: expected one, two or three");
  numbers.clear();  // the refused lists left what they read before their mistake
  EXPECT_EQ(refusal(R"({"n": [4, 5], "c": "two"})"), "");
  EXPECT_EQ(numbers, (std::vector<int>{4, 5}));
  EXPECT_EQ(choice, 2);
}

}  // namespace
