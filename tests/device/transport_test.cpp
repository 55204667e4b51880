// Delivery of commands through pass-through and ASPI: the request contents, the success
// rule, the result members, the ASPI loading messages and the choice of transport.
#include <gtest/gtest.h>

#include "device/atapi_device.h"
#include "support/sim_machines.h"
#include "text/fixed_text.h"

namespace {

using device::AtapiDevice;
using platform::Direction;
using testing_machines::MachineFromJson;
using testing_machines::OneDrive;

// One writer seen both as E: and by an ASPI manager at 0:0:0.
std::string AspiMachine(const std::string& platform, const std::string& driveFields = "") {
  return R"({"platform": {"nt": true, "aspi": )" + platform + R"(},
    "drives": [{"root": "E:\\", "address": {"port": 1, "target": 0},
                "aspi": [0, 0, 0], "vendor": "VEXO", "product": "ASPI DRIVE")" +
         driveFields + "}]}";
}

// Which buffer a request hands the transport: none, the data-out buffer, or the response
// buffer, which then holds what the drive answered (the INQUIRY's vendor at byte 8).
enum class Buffer { None, Response, DataOut };

void ExpectBuffer(const AtapiDevice& device, const uint8_t* given, const uint8_t* dataOut,
                  Buffer expected) {
  switch (expected) {
    case Buffer::None:
      EXPECT_EQ(given, nullptr);
      break;
    case Buffer::DataOut:
      EXPECT_EQ(given, dataOut);
      break;
    case Buffer::Response:
      ASSERT_NE(given, nullptr);
      EXPECT_NE(given, dataOut);
      EXPECT_EQ(given[8], 'V');
      EXPECT_EQ(device.Answer().At(8), 'V');
      break;
  }
}

TEST(PassThroughRequest, ContentsPerDirection) {
  auto system = MachineFromJson(OneDrive());
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  const uint8_t* dataOut = device.DataOutBuffer().data();
  struct Case {
    Direction direction;
    uint32_t length;
    Buffer buffer;
  };
  for (const Case& c :
       {Case{Direction::In, 96, Buffer::Response}, Case{Direction::In, 0, Buffer::None},
        Case{Direction::None, 0, Buffer::None}, Case{Direction::None, 8, Buffer::None},
        Case{Direction::Out, 24, Buffer::DataOut}}) {
    device.ExecuteCdb({0x12}, c.direction, c.length);
    const platform::PassThroughRequest& r = *system->lastPassThrough;
    ExpectBuffer(device, r.DataBuffer, dataOut, c.buffer);
    EXPECT_EQ(r.DataIn, static_cast<uint8_t>(c.direction));
    EXPECT_EQ(r.DataTransferLength, c.length);
    EXPECT_EQ(r.TimeOutValue, 120u);
    EXPECT_EQ(r.SenseInfoLength, 24);
    EXPECT_EQ(r.CdbLength, 12);
    EXPECT_EQ(r.PathId, 1);  // the adapter number
    EXPECT_EQ(r.Lun, 0);
  }
}

TEST(AspiRequest, ContentsPerDirection) {
  auto system = MachineFromJson(AspiMachine(R"("ready")"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  ASSERT_TRUE(device.UseAspi());
  const uint8_t* dataOut = device.DataOutBuffer().data();
  struct Case {
    Direction direction;
    uint32_t length;
    uint8_t flags;
    Buffer buffer;
  };
  for (const Case& c :
       {Case{Direction::In, 96, 0x48, Buffer::Response}, Case{Direction::In, 0, 0x48, Buffer::None},
        Case{Direction::None, 0, 0x40, Buffer::None},
        Case{Direction::Out, 24, 0x50, Buffer::DataOut}}) {
    device.ExecuteCdb({0x12}, c.direction, c.length);
    const sim::AspiExecuteSnapshot& r = *system->lastAspiExecute;
    EXPECT_EQ(r.flags, c.flags);
    ExpectBuffer(device, r.bufPointer, dataOut, c.buffer);
    EXPECT_EQ(r.bufLen, c.length);
    EXPECT_EQ(r.senseLen, 14);
    EXPECT_EQ(r.cdbLen, 12);
    EXPECT_TRUE(r.hasEvent);
  }
}

struct OutcomeCase {
  const char* name;
  std::string fault;  // a fault on INQUIRY (opcode 12h)
  bool ok;
  uint8_t senseKey, asc;
  bool timedOut;
  uint32_t bytes;
  friend void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }
};

class SuccessRule : public ::testing::TestWithParam<std::tuple<OutcomeCase, bool>> {};

TEST_P(SuccessRule, SameOnBothTransports) {
  const auto& [c, aspi] = GetParam();
  const std::string faults = R"(, "faults": [)" + c.fault + "]";
  auto system = MachineFromJson(aspi ? AspiMachine(R"("ready")", faults) : OneDrive(faults));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  EXPECT_EQ(device.Inquiry(0, 0, 0, 96, 0), c.ok);
  EXPECT_EQ(device.SenseKey(), c.senseKey);
  EXPECT_EQ(device.Asc(), c.asc);
  EXPECT_EQ(device.TimedOut(), c.timedOut);
  // Under ASPI a successful command reports the requested length, not the drive's count.
  EXPECT_EQ(device.BytesTransferred(), aspi && c.ok ? 96u : c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SuccessRule,
    ::testing::Combine(
        ::testing::Values(
            OutcomeCase{"Good", "", true, 0, 0, false, 96},
            OutcomeCase{"SenseKey", R"({"command": "0x12", "sense": [5, "0x24"]})", false, 5, 0x24,
                        false, 0},
            OutcomeCase{"RecoveredErrorIsAFailure", R"({"command": "0x12", "sense": [1, "0x17"]})",
                        false, 1, 0x17, false, 0},
            OutcomeCase{"ShortAnswer", R"({"command": "0x12", "kind": "short", "length": 36})",
                        true, 0, 0, false, 36},
            OutcomeCase{"TransportError", R"({"command": "0x12", "kind": "transport-error"})",
                        false, 0, 0, false, 0},
            OutcomeCase{"NoAnswer", R"({"command": "0x12", "kind": "no-answer"})", false, 0, 0,
                        true, 0}),
        ::testing::Bool()),
    [](const auto& p) {
      return std::string(std::get<0>(p.param).name) +
             (std::get<1>(p.param) ? "Aspi" : "PassThrough");
    });

TEST(SuccessRule, AspiNoAnswerWaitsOutTheTimeoutAndAbandonsTheRequest) {
  auto system = MachineFromJson(AspiMachine(
      R"("ready")",
      R"(, "faults": [{"command": "0x12", "kind": "no-answer", "skip": 1, "times": 1}])"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  const uint64_t before = system->Clock().NowNs();
  EXPECT_FALSE(device.Inquiry(0, 0, 0, 96, 0));
  EXPECT_EQ(system->Clock().NowNs() - before, 120ull * 1'000'000'000);
  EXPECT_EQ(device.BytesTransferred(), 0u);
  // The next command gets a fresh request and works.
  EXPECT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
}

TEST(SuccessRule, AspiWithoutEventPollsUntilCompletionWithinTheTimeout) {
  for (const bool answers : {true, false}) {
    auto system = MachineFromJson(AspiMachine(
        R"("ready", "events_fail": true, "aspi_latency_ms": 5)",
        answers ? "" : R"(, "faults": [{"command": "0x12", "kind": "no-answer", "skip": 1}])"));
    AtapiDevice device(*system, {});
    ASSERT_TRUE(device.SelectDrive(0));
    const double start = system->Clock().NowSeconds();
    EXPECT_EQ(device.Inquiry(0, 0, 0, 96, 0), answers);
    const double waited = system->Clock().NowSeconds() - start;
    if (answers) {
      EXPECT_EQ(device.BytesTransferred(), 96u);
      EXPECT_LT(waited, 0.1);
    } else {
      EXPECT_TRUE(device.TimedOut());
      EXPECT_GE(waited, 120.0);
      EXPECT_LT(waited, 122.0);
    }
  }
}

TEST(SuccessRule, AspiCompletionThroughTheEvent) {
  auto system = MachineFromJson(AspiMachine(R"("ready", "aspi_latency_ms": 40)"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  const uint64_t before = system->Clock().NowNs();
  EXPECT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  EXPECT_EQ(system->Clock().NowNs() - before, 40'000'000u);
}

TEST(Refusal, NoDriveOpenKeepsEarlierResults) {
  auto system = MachineFromJson(
      OneDrive(R"(, "faults": [{"command": "0x12", "kind": "short", "length": 40}])"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  ASSERT_EQ(device.BytesTransferred(), 40u);
  device.TestUnitReady();  // no medium: 2/3Ah
  ASSERT_TRUE(device.SenseIs(2, 0x3A));
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  device.CloseDrive();
  system->ClearLog();
  EXPECT_FALSE(device.Inquiry(0, 0, 0, 96, 0));
  EXPECT_TRUE(system->Log().empty());
  EXPECT_EQ(device.SenseKey(), 0);
  EXPECT_EQ(device.Asc(), 0);
  EXPECT_EQ(device.BytesTransferred(), 40u);
  EXPECT_FALSE(device.TimedOut());
}

TEST(ResponseBuffer, ShortAnswerNeverShowsAnEarlierCommand) {
  auto system = MachineFromJson(
      OneDrive(R"(, "faults": [{"command": "0x12", "kind": "short", "length": 10, "skip": 1}])"));
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  ASSERT_EQ(device.Answer().At(8), 'V');
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  EXPECT_EQ(device.BytesTransferred(), 10u);
  EXPECT_EQ(device.Answer().At(8), 'V');
  EXPECT_EQ(device.Answer().At(10), 0);  // beyond the 10 bytes sent: zero, not "X"
  EXPECT_EQ(device.Answer().At(16), 0);
}

// The answer view ends at the bytes the last command asked for: an earlier, longer answer
// never shows through it, and a command without data leaves an empty view.
TEST(ResponseBuffer, AnswerEndsAtTheBytesAskedFor) {
  auto system = MachineFromJson(OneDrive());
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 96, 0));
  ASSERT_EQ(device.Answer().Size(), 96u);
  ASSERT_EQ(device.Answer().At(16), 'D');  // the product, "DRIVE ..." in the fixture
  ASSERT_TRUE(device.Inquiry(0, 0, 0, 12, 0));
  EXPECT_EQ(device.Answer().Size(), 12u);
  EXPECT_EQ(device.Answer().At(8), 'V');
  EXPECT_EQ(device.Answer().BE16(8), 'V' << 8 | 'E');
  EXPECT_EQ(device.Answer().At(16), 0);
  EXPECT_EQ(device.Answer().BE32(10), uint32_t{'X'} << 24 | uint32_t{'O'} << 16);
  device.TestUnitReady();
  EXPECT_EQ(device.Answer().Size(), 0u);
  EXPECT_EQ(device.Answer().At(8), 0);
}

struct AspiMessageCase {
  const char* platform;
  const char* text;
  const char* caption;
  friend void PrintTo(const AspiMessageCase& c, std::ostream* os) { *os << c.caption; }
};

class AspiMessages : public ::testing::TestWithParam<AspiMessageCase> {};

TEST_P(AspiMessages, OnWindows9xEveryFailureShowsItsMessage) {
  auto system =
      MachineFromJson(R"({"platform": {"nt": false, )" + std::string(GetParam().platform) +
                      R"(}, "drives": [{"aspi": [0, 0, 0], "vendor": "VEXO"}]})");
  AtapiDevice device(*system, {});
  const auto& shown = system->RecordedMessages().shown;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, GetParam().text);
  EXPECT_EQ(shown[0].caption, GetParam().caption);
  EXPECT_EQ(shown[0].flags, 0x10u);
  EXPECT_FALSE(device.AspiLoaded());
  EXPECT_EQ(device.GetDriveCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, AspiMessages,
    ::testing::Values(
        AspiMessageCase{R"("aspi": "absent")", "LoadLibrary:\nWNASPI32.DLL not found.",
                        "Error FS 002"},
        AspiMessageCase{R"("aspi": "ready", "aspi_missing": ["GetASPI32SupportInfo"])",
                        "GetProcAddress:\nGetASPI32SupportInfo not fount.", "Error FS 003"},
        AspiMessageCase{R"("aspi": "ready", "aspi_missing": ["SendASPI32Command"])",
                        "GetProcAddress:\npfnSendASPI32Command not found.", "Error FS 004"},
        AspiMessageCase{R"("aspi": "0xE3")", "Could not find the ASPI manager.",
                        "GetASPISupportInfo:"},
        AspiMessageCase{R"("aspi": "0xE2")", "ASPI for Windows does not support real mode.",
                        "GetASPISupportInfo:"},
        AspiMessageCase{R"("aspi": "0xE1")", "Old ASPI manager.", "GetASPISupportInfo:"},
        AspiMessageCase{R"("aspi": "0x00")", "Error initializing ASPI.", "GetASPISupportInfo:"},
        AspiMessageCase{R"("aspi": "0x02")", "Error initializing ASPI.", "GetASPISupportInfo:"}));

TEST(AspiProbe, IsSilentOnTheNtFamily) {
  for (const char* platform : {R"("absent")", R"("0xE3")", R"("0xE1")", R"("0x77")"}) {
    auto system = MachineFromJson(AspiMachine(platform));
    AtapiDevice device(*system, {});
    EXPECT_TRUE(system->RecordedMessages().shown.empty()) << platform;
    EXPECT_FALSE(device.UseAspi());
    EXPECT_FALSE(device.AspiAvailable());
    ASSERT_EQ(device.GetDriveCount(), 1);
    EXPECT_FALSE(device.GetDriveEntry(0)->ViaAspi);
  }
}

struct ChoiceCase {
  const char* name;
  std::string machine;
  bool preferAspi;
  bool viaAspi;
  bool aspiLoaded;
  const char* root;
  friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class TransportChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(TransportChoice, ListsDrivesThroughTheChosenTransport) {
  auto system = MachineFromJson(GetParam().machine);
  AtapiDevice device(*system, {GetParam().preferAspi, nullptr});
  ASSERT_GE(device.GetDriveCount(), 1);
  EXPECT_EQ(device.GetDriveEntry(0)->ViaAspi, GetParam().viaAspi);
  EXPECT_EQ(device.AspiLoaded(), GetParam().aspiLoaded);
  EXPECT_EQ(text::TextOf(device.GetDriveEntry(0)->RootPath), GetParam().root);
  EXPECT_TRUE(system->RecordedMessages().shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Systems, TransportChoice,
    ::testing::Values(
        ChoiceCase{"Windows9x", R"({"platform": {"nt": false, "aspi": "ready"},
                    "drives": [{"aspi": [0, 1, 0], "vendor": "VEXO"}]})",
                   true, true, true, ""},
        ChoiceCase{"Windows9xEvenWithoutPreference", R"({"platform": {"nt": false, "aspi": "ready"},
                    "drives": [{"aspi": [0, 1, 0], "vendor": "VEXO"}]})",
                   false, true, true, ""},
        ChoiceCase{"NtWithReadyManager", AspiMachine(R"("ready")"), true, true, true, ""},
        ChoiceCase{"NtNotPreferringAspi", AspiMachine(R"("ready")"), false, false, false, "E:\\"},
        ChoiceCase{"NtWithoutManager", AspiMachine(R"("absent")"), true, false, false, "E:\\"},
        ChoiceCase{"VersionQueryFailsCountsAsNotNt",
                   R"({"platform": {"version_query_fails": true, "aspi": "ready"},
                    "drives": [{"aspi": [0, 0, 0], "vendor": "VEXO"}]})",
                   false, true, true, ""}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
