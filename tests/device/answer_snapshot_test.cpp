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

std::vector<uint8_t> Bytes(const device::ResponseView& answer, size_t n) {
  std::vector<uint8_t> bytes(n);
  answer.Copy(0, n, bytes.data());
  return bytes;
}

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
    const std::vector<uint8_t> first = Bytes(device.Answer(), 34);
    c.between(device);
    device.ModeSense10(0, 0, 0x30, 24, 0);  // other bytes in the buffer; always sent
    const size_t before = rig.Sent();
    ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 34, 0, 0)) << c.name;
    EXPECT_EQ(rig.Sent() - before, c.sentAgain ? 1u : 0u) << c.name;
    // The same bytes, whatever stood in the buffer.
    EXPECT_EQ(Bytes(device.Answer(), 34), first) << c.name;
    EXPECT_EQ(device.BytesTransferred(), 34u) << c.name;
    EXPECT_EQ(device.SenseKey(), 0) << c.name;
  }
}

TEST(AnswerSnapshot, OtherFailuresAreNeverKeptAndTransitionsForgetTheRest) {
  const struct {
    const char* name;
    std::string fault;  // on the first READ FORMAT CAPACITIES
    bool forgetsOthers;
  } cases[] = {
      {"medium error", R"({"command": "0x23", "kind": "sense", "sense": [3, "0x11", 0])", false},
      {"parameter value", R"({"command": "0x23", "kind": "sense", "sense": [5, "0x26", 0])", false},
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

// A refusal of the command itself is the drive's settled answer within a query; any other
// failure may pass, and is asked again.
TEST(AnswerSnapshot, ARefusedCommandIsKeptLikeAnAnswer) {
  const struct {
    const char* name;
    std::string drive;
    std::function<bool(AtapiDevice&)> command;
    bool sentAgain;
  } cases[] = {
      {"unknown opcode", Writer(), [](AtapiDevice& d) { return d.ReadVendorMediaId(); }, false},
      {"invalid field", Writer(R"(, "disc": {"type": "dvd+r"})"),
       [](AtapiDevice& d) { return d.ReadTocPmaAtip(0, 2, 0, 24, 0); }, false},
      {"incompatible medium", Writer(R"(, "disc": {"type": "cd-r"})"),
       [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0, 36, 0, 0); }, false},
      {"not ready", Writer(R"(, "faults": [{"command": "0x23", "sense": [2, 4, 1], "times": 2}])"),
       [](AtapiDevice& d) { return d.ReadFormatCapacities(96, 0); }, true},
      {"medium error", Writer(R"(, "faults": [{"command": "0x23", "sense": [3, 17]}])"),
       [](AtapiDevice& d) { return d.ReadFormatCapacities(96, 0); }, true},
  };
  for (const auto& c : cases) {
    Counted rig = Started(c.drive);
    AtapiDevice& device = *rig.device;
    ASSERT_FALSE(c.command(device)) << c.name;
    const auto first = device.LastSense();
    const size_t before = rig.Sent();
    EXPECT_FALSE(c.command(device)) << c.name;
    EXPECT_EQ(rig.Sent() - before, c.sentAgain ? 1u : 0u) << c.name;
    EXPECT_EQ(device.SenseKey(), first.key) << c.name;
    EXPECT_EQ(device.Asc(), first.asc) << c.name;
  }
}

// A shorter read of a command is the first bytes of its longer answer; a longer read, or a
// read of other bytes of the command, is sent.
TEST(AnswerSnapshot, AShorterReadIsTheStartOfALongerAnswer) {
  Counted rig = Started(Writer(R"(, "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN"})"));
  AtapiDevice& device = *rig.device;
  ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 616, 0, 0));
  const std::vector<uint8_t> whole = Bytes(device.Answer(), 616);
  const size_t before = rig.Sent();
  ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 36, 0, 0));
  EXPECT_EQ(rig.Sent(), before);
  EXPECT_EQ(device.Answer().Size(), 36u);
  EXPECT_EQ(Bytes(device.Answer(), 36), std::vector<uint8_t>(whole.begin(), whole.begin() + 36));
  EXPECT_EQ(device.BytesTransferred(), 36u);
  EXPECT_EQ(Bytes(device.Answer(), 40).back(), 0);  // past the bytes asked for

  ASSERT_TRUE(device.ReadDiscStructure(0, 0, 0x00, 1024, 0, 0));
  EXPECT_EQ(rig.Sent(), before + 1) << "longer than anything kept";
  device.ReadDiscStructure(0, 0, 0x0E, 36, 0, 0);
  EXPECT_EQ(rig.Sent(), before + 2) << "another format";
}

}  // namespace

namespace {

TEST(AnswerSnapshot, SnapshotOnlyReadsNeverReachTheDrive) {
  const struct {
    const char* name;
    std::function<void(AtapiDevice&)> before;  // what the query did before
    bool kept;
  } cases[] = {
      {"the same read", [](AtapiDevice& d) { d.GetConfiguration(2, 0, 248, 0); }, true},
      {"a longer read of it", [](AtapiDevice& d) { d.GetConfiguration(2, 0, 512, 0); }, true},
      {"another request type", [](AtapiDevice& d) { d.GetConfiguration(0, 0, 248, 0); }, false},
      {"nothing", [](AtapiDevice&) {}, false},
      {"the read, then a change",
       [](AtapiDevice& d) {
         d.GetConfiguration(2, 0, 248, 0);
         d.ModeSelect10(0, 0, 0);
       },
       false},
  };
  for (const auto& c : cases) {
    Counted drive = Started(Writer());
    drive.device->ForgetAnswers();  // a new query: what the drive list read is gone
    c.before(*drive.device);
    const size_t sent = drive.Sent();
    const bool ok = drive.device->FromSnapshotOnly(
        [&] { return drive.device->GetConfiguration(2, 0, 248, 0); });
    EXPECT_EQ(ok, c.kept) << c.name;
    EXPECT_EQ(drive.Sent(), sent) << c.name;
    if (c.kept) {
      EXPECT_GT(drive.device->Answer().BE16(2), 0) << c.name;  // the kept header
    }
    // Outside it, commands reach the drive again.
    drive.device->TestUnitReady();
    EXPECT_EQ(drive.Sent(), sent + 1) << c.name;
  }
}

}  // namespace
