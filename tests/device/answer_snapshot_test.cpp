// One query is one snapshot: a read command asked again is answered from what the drive said,
// until something can have changed it; the reports stay line for line what they were, with
// far fewer commands.
#include "device/answer_snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>

#include "device/atapi_device.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "support/sim_machines.h"

namespace {

using device::AtapiDevice;

std::string Writer(const std::string& fields = "") {
  return testing_machines::OneDrive(
      R"(, "reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], "writes": ["cd-r", "cd-rw", "dvd-r"],
         "profiles": ["0x0008", "0x0010", "0x0011", "0x001B"],
         "vendor_page": {"support": "0x26", "state": "0x20"})" +
      fields);
}

struct Counted {
  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<AtapiDevice> device;
  size_t Sent() const { return system->Log().size(); }
};

Counted Started(const std::string& json) {
  Counted c{testing_machines::MachineFromJson(json), nullptr};
  c.device = media::CreateDevice(*c.system);
  EXPECT_TRUE(c.device->SelectDrive(0));
  c.system->ClearLog();
  return c;
}

TEST(AnswerSnapshot, AReadAskedAgainIsAnsweredFromTheSnapshotUntilSomethingChanges) {
  const struct {
    const char* name;
    std::function<void(AtapiDevice&)> between;  // what happens between the two reads
    bool sentAgain;
  } cases[] = {
      {"nothing", [](AtapiDevice&) {}, false},
      {"another read", [](AtapiDevice& d) { d.ReadFormatCapacities(96, 0); }, false},
      {"INQUIRY", [](AtapiDevice& d) { d.Inquiry(0, 0, 0, 96, 0); }, false},
      {"the vendor feature page", [](AtapiDevice& d) { d.ModeSense10(0, 0, 0x30, 24, 0); }, false},
      {"SET CD SPEED", [](AtapiDevice& d) { d.SetCdSpeed(0, 0xFFFF, 0xFFFF, 0); }, true},
      {"MODE SELECT", [](AtapiDevice& d) { d.ModeSelect10(0, 24, 0); }, true},
      {"SET STREAMING", [](AtapiDevice& d) { d.SetStreaming(28, 0); }, true},
      {"a new query", [](AtapiDevice& d) { d.ForgetAnswers(); }, true},
      {"another drive selected and this one again",
       [](AtapiDevice& d) {
         d.CloseDrive();
         d.SelectDrive(0);
       },
       false},
  };
  for (const auto& c : cases) {
    Counted rig = Started(Writer(R"(, "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN"})"));
    AtapiDevice& device = *rig.device;
    ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 34, 0, 0)) << c.name;
    const std::vector<uint8_t> first(device.GetResponseBuffer().begin(),
                                     device.GetResponseBuffer().begin() + 34);
    c.between(device);
    device.ModeSense10(0, 0, 0x30, 24, 0);  // other bytes in the buffer; always sent
    const size_t before = rig.Sent();
    ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 34, 0, 0)) << c.name;
    EXPECT_EQ(rig.Sent() - before, c.sentAgain ? 1u : 0u) << c.name;
    // The same bytes, whatever stood in the buffer.
    EXPECT_EQ(std::vector<uint8_t>(device.GetResponseBuffer().begin(),
                                   device.GetResponseBuffer().begin() + 34),
              first)
        << c.name;
    EXPECT_EQ(device.BytesTransferred(), 34u) << c.name;
    EXPECT_EQ(device.SenseKey(), 0) << c.name;
  }
}

TEST(AnswerSnapshot, FailuresAreNeverKeptAndTransitionsForgetTheRest) {
  const struct {
    const char* name;
    std::string fault;  // on the first READ FORMAT CAPACITIES
    bool forgetsOthers;
  } cases[] = {
      {"illegal request", R"({"command": "0x23", "kind": "sense", "sense": [5, "0x24", 0])", false},
      {"becoming ready", R"({"command": "0x23", "kind": "sense", "sense": [2, "0x04", 1])", true},
      {"unit attention", R"({"command": "0x23", "kind": "sense", "sense": [6, "0x28", 0])", true},
      {"no answer", R"({"command": "0x23", "kind": "no-answer")", true},
      {"transport error", R"({"command": "0x23", "kind": "transport-error")", true},
  };
  for (const auto& c : cases) {
    Counted rig = Started(
        Writer(R"(, "disc": {"type": "dvd+r"}, "faults": [)" + c.fault + R"(, "times": 1}])"));
    AtapiDevice& device = *rig.device;
    ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 34, 0, 0));
    EXPECT_FALSE(device.ReadFormatCapacities(96, 0)) << c.name;
    const size_t before = rig.Sent();
    // The failed read goes to the drive again, and now succeeds.
    EXPECT_TRUE(device.ReadFormatCapacities(96, 0)) << c.name;
    EXPECT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 34, 0, 0)) << c.name;
    EXPECT_EQ(rig.Sent() - before, c.forgetsOthers ? 2u : 1u) << c.name;
  }
}

TEST(AnswerSnapshot, NoDiscIsASettledStateAndIsKeptLikeAnAnswer) {
  Counted rig = Started(Writer());
  AtapiDevice& device = *rig.device;
  EXPECT_FALSE(device.TestUnitReady());
  EXPECT_TRUE(device.SenseIs(2, 0x3A));
  EXPECT_FALSE(device.TestUnitReady());
  EXPECT_TRUE(device.SenseIs(2, 0x3A));
  EXPECT_TRUE(device.WaitUntilReady(60));
  EXPECT_TRUE(device.SenseIs(2, 0x3A));
  EXPECT_EQ(rig.Sent(), 0u) << "the enumeration already heard that there is no disc";
}

// Every report of every simulated machine, with and without the snapshot: the same lines.
TEST(AnswerSnapshot, EveryReportReadsTheSameWithAndWithoutTheSnapshot) {
  size_t reports = 0;
  for (const auto& file : std::filesystem::directory_iterator(QUILLRATE_FIXTURES_DIR)) {
    if (file.path().extension() != ".json") continue;
    const sim::Machine machine = sim::LoadMachineFromFile(file.path().string());
    std::array<std::vector<std::vector<std::string>>, 2> lines;
    for (const bool keep : {false, true}) {
      sim::SimSystem system(machine);
      auto device = media::CreateDevice(system, true, keep);
      for (int i = 0; i < device->GetDriveCount(); ++i) {
        device->SelectDrive(i);
        media::SilentReportSink sink;
        lines[keep].push_back(media::RunMediaReport(*device, {}, sink).lines);
      }
    }
    EXPECT_EQ(lines[0], lines[1]) << file.path().filename();
    reports += lines[0].size();
  }
  EXPECT_GE(reports, 40u);
}

// What one `quillrate-cli report` sends, the drive list included, for a drive that answers
// every command at once.
TEST(AnswerSnapshot, AReportSendsEachCommandOnce) {
  const struct {
    const char* name;
    size_t demoDrive;
    bool disc;
    size_t most;
  } cases[] = {
      {"CD-R", 1, true, 13}, {"DVD+R", 2, true, 16},   {"DVD-R", 3, true, 15},
      {"BD-R", 4, true, 9},  {"no disc", 1, false, 8},
  };
  for (const auto& c : cases) {
    sim::Machine machine = sim::DemoMachine();
    sim::Drive drive = machine.drives.at(c.demoDrive);
    if (!c.disc) drive.disc.reset();
    machine.drives = {drive};
    sim::SimSystem system(machine);
    auto device = media::CreateDevice(system);
    device->SelectDrive(0);
    media::SilentReportSink sink;
    media::RunMediaReport(*device, {}, sink);
    EXPECT_LE(system.Log().size(), c.most) << c.name;
    std::vector<std::array<uint8_t, 12>> sent;
    for (const auto& command : system.Log()) {
      // Sent twice only after something could have changed its answer.
      if (command.cdb[0] == 0x5A && command.cdb[2] == 0x2A) continue;  // after SET CD SPEED
      if (command.cdb[0] == 0xAC) continue;                            // after SET STREAMING
      EXPECT_EQ(std::count(sent.begin(), sent.end(), command.cdb), 0) << c.name;
      sent.push_back(command.cdb);
    }
  }
}

}  // namespace
