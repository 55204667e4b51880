// Fixture files: readable messages for mistakes, and the demonstration machine.
#include "platform/sim/fixture_loader.h"

#include <gtest/gtest.h>

namespace {

TEST(FixtureLoader, MistakesNameTheirPlace) {
  struct Case {
    const char* json;
    const char* message;
  };
  for (const Case& c : {
           Case{"{", "not valid JSON"},
           Case{"666666666666e6666666", "not valid JSON"},  // found by the fuzzer: out of range
           Case{R"({"drivez": []})", "machine: unknown field \"drivez\""},
           Case{R"({"drives": [{"vendorr": "x"}]})", "drives[0]: unknown field \"vendorr\""},
           Case{R"({"drives": [{"disc": {"type": "hd-dvd"}}]})",
                "drives[0].disc.type: expected one of"},
           Case{R"({"drives": [{"disc": {"type": "cd-r", "lead_in": "97:26"}}]})",
                "drives[0].disc.lead_in: expected a time MM:SS:FF"},
           Case{R"({"drives": [{"profiles": ["0x10000"]}]})",
                "drives[0].profiles[0]: value 65536 outside 0..65535"},
           Case{R"({"drives": [{"disc": {"type": "dvd+r", "plus_mid": "TOO-LONG-ID"}}]})",
                "drives[0].disc.plus_mid: longer than 8 bytes"},
           Case{R"({"drives": [{"raw": {"12": "0G"}}]})",
                "drives[0].raw.12: bad hexadecimal digit"},
           Case{R"({"drives": [{"faults": [{"kind": "explode"}]}]})",
                "drives[0].faults[0].kind: expected"},
           Case{R"({"drives": [{"inquiry_length": "many"}]})",
                "drives[0].inquiry_length: expected an integer"},
           Case{R"({"drives": [{"opens": "yes"}]})",
                "drives[0].opens: type must be boolean, but is string"},
           Case{R"({"drives": [{"root": "E:", "vendor": 5}]})",
                "drives[0].vendor: type must be string, but is number"},
       }) {
    try {
      sim::LoadMachineFromText(c.json);
      ADD_FAILURE() << "accepted: " << c.json;
    } catch (const sim::FixtureError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
          << e.what() << " does not contain " << c.message;
    }
  }
}

TEST(FixtureLoader, MissingFileIsAnError) {
  EXPECT_THROW(sim::LoadMachineFromFile("/nonexistent/machine.json"), sim::FixtureError);
}

TEST(FixtureLoader, DemoMachineHasAReaderFirstAndWritersBehindIt) {
  const sim::Machine demo = sim::DemoMachine();
  EXPECT_TRUE(demo.nt);
  EXPECT_FALSE(demo.aspiPresent);
  ASSERT_GE(demo.drives.size(), 3u);
  EXPECT_TRUE(demo.drives[0].dvdRomRead);
  EXPECT_FALSE(demo.drives[0].cdrWrite);
  EXPECT_EQ(demo.drives[0].port, 0);
}

}  // namespace
