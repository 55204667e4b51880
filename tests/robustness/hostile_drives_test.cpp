// What a hostile or failing drive can do to the terminal: control bytes in its identity or in
// a disc's identifiers, a drive that stops answering half way, a replayed drive that was never
// captured, a command that never ends, a drive that takes its time to become ready.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "custom/temp_dir.h"
#include "device/atapi_device.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/fake_kernel.h"
#include "platform/linux/linux_system.h"
#include "support/cli_run.h"
#include "support/sim_machines.h"

namespace {

using testing_cli::CliRun;
using testing_cli::RunCliArgs;

constexpr const char* kWriter =
    R"("reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], "writes": ["cd-r", "cd-rw", "dvd-r"],
       "profiles": ["0x0008", "0x0009", "0x0010", "0x0011", "0x001B", "0x0040", "0x0041"])";

std::string Machine(const std::string& drive) {
  return R"({"drives": [{"root": "E:\\", "address": {"port": 1, "target": 0}, )" + drive + "}]}";
}

TEST(HostileDrives, TheTerminalSeesWhatADriveSentButNeverObeysIt) {
  struct Case {
    const char* name;
    std::string machine;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> inOut;  // in the output, in this order
    std::vector<std::string> inErr;
  };
  const std::string escape =
      R"("vendor": "\u001b]0;X\u0007\r", "product": "\nDisc Type =",
         "revision": "\u001b[2J", )";
  // A drive that answers three commands and then no more.
  const std::string goneAfterThreeCommands =
      Machine(std::string(R"("vendor": "VEXO", "product": "GONE", )") + kWriter +
              R"(, "faults": [{"command": "any", "kind": "no-answer", "skip": 3, "times": -1}])");
  const std::vector<Case> cases = {
      {"identity in the drive list",
       Machine(escape + kWriter),
       {"drives"},
       cli::kExitOk,
       {"\xE2\x90\x9B]0;X\xE2\x90\x87\xE2\x90\x8D  \xE2\x90\x8A"
        "Disc Type =",
        "\xE2\x90\x9B[2J"},
       {}},
      {"identity on the report's first line",
       Machine(escape + kWriter),
       {"report"},
       cli::kExitOk,
       {"Drive 0: \xE2\x90\x9B]0;X\xE2\x90\x87\xE2\x90\x8D  \xE2\x90\x8A"
        "Disc Type ="},
       {}},
      {"a BD disc ID with line ends stays on one report line",
       Machine(std::string(R"("vendor": "VEXO", "product": "BD", )") + kWriter +
               R"(, "disc": {"type": "bd-r", "bd_mid": "hex:41 0A 42 0D 44 45"})"),
       {"report"},
       cli::kExitOk,
       {"(A\xE2\x90\x8A"
        "B\xE2\x90\x8D"
        "DE)\n"},
       {}},
      {"a drive gone half way through the report",
       Machine(std::string(R"("vendor": "VEXO", "product": "GONE", "vanish_after": 6, )") +
               kWriter + R"(, "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN"})"),
       {"report"},
       cli::kExitNoAnswer,
       {"Drive 0: VEXO"},
       {"quillrate-cli: drive 0 stopped answering during the report: ", " got no answer"}},
      {"a drive gone while it is identified",
       Machine(std::string(R"("vendor": "VEXO", "product": "GONE", "vanish_after": 6, )") +
               kWriter + R"(, "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN"})"),
       {"identify"},
       cli::kExitNoAnswer,
       {"Drive 0: VEXO GONE"},
       {"quillrate-cli: drive 0 stopped answering during the identification: "}},
      {"a drive gone while its features are read is not a drive without them",
       goneAfterThreeCommands,
       {"features"},
       cli::kExitNoAnswer,
       {"Quillrate"},
       {"quillrate-cli: drive 0 stopped answering during the feature reads: "}},
      {"a drive gone before a switch says so, not that it lacks the feature",
       goneAfterThreeCommands,
       {"feature", "trimwave", "on"},
       cli::kExitNoAnswer,
       {"Trimwave"},
       {"quillrate-cli: drive 0 stopped answering during the feature read: "}},
      {"a command without answer ends at the time-out and is told",
       Machine(std::string(R"("vendor": "VEXO", "product": "SLOW", )") + kWriter +
               R"(, "disc": {"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"},
                    "faults": [{"command": "0x43", "kind": "no-answer", "times": 1}])"),
       {"report"},
       cli::kExitNoAnswer,
       {"Disc Type ="},
       {"drive 0 stopped answering during the report: 1 command got no answer"}},
      {"a drive that answers everything, slowly, is no failure",
       Machine(std::string(R"("vendor": "VEXO", "product": "OK", "latency_us": 3000, )") + kWriter +
               R"(, "becoming_ready_seconds": 5, "disc": {"type": "dvd+r"})"),
       {"report"},
       cli::kExitOk,
       {"Disc Type = DVD+R"},
       {}},
  };
  for (const Case& c : cases) {
    custom_test::TempDir dir;
    const std::string fixture = dir.Write("machine.json", c.machine);
    std::vector<std::string> args{"--simulate=" + fixture};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = RunCliArgs(args);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
    size_t at = 0;
    for (const std::string& part : c.inOut) {
      at = run.out.find(part, at);
      EXPECT_NE(at, std::string::npos) << c.name << ": no \"" << part << "\" in\n" << run.out;
    }
    for (const std::string& part : c.inErr) {
      EXPECT_NE(run.err.find(part), std::string::npos) << c.name << ": " << run.err;
    }
    if (c.inErr.empty()) {
      EXPECT_EQ(run.err, "") << c.name;
    }
    // Whatever the drive sent, no byte of it reaches the terminal as a control character.
    for (const char control : {'\x1B', '\x07', '\r'}) {
      EXPECT_EQ(run.out.find(control), std::string::npos) << c.name;
    }
  }
}

TEST(HostileDrives, JsonCarriesTheDrivesBytesEscaped) {
  custom_test::TempDir dir;
  const std::string fixture =
      dir.Write("machine.json",
                Machine(std::string(R"("vendor": "\u001b]\u0007", "product": "P", )") + kWriter));
  const CliRun run = RunCliArgs({"--simulate=" + fixture, "drives", "--json"});
  ASSERT_EQ(run.status, cli::kExitOk);
  EXPECT_EQ(run.out.find('\x1B'), std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(run.out)["drives"][0]["vendor"], "\x1B]\x07     ");
}

TEST(HostileDrives, AReplayedDriveThatWasNeverCapturedFailsAndSaysSoOnce) {
  custom_test::TempDir dir;
  const std::string capture = dir.Path() + "/capture.json";
  ASSERT_EQ(RunCliArgs({"--simulate", "--capture=" + capture, "drives"}).status, cli::kExitOk);
  // Only the drive list was captured; a report asks for much more.
  const CliRun run = RunCliArgs({"--simulate=" + capture, "report", "--drive", "2"});
  EXPECT_EQ(run.status, cli::kExitNoAnswer);
  const std::string told = "Replay: Drive F:\\ has no recorded answer to the command ";
  const size_t first = run.err.find(told);
  ASSERT_NE(first, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(told, first + 1), std::string::npos) << "told more than once";
  EXPECT_NE(run.err.find("drive 2 stopped answering during the report"), std::string::npos);
  // What was captured still replays as it was.
  EXPECT_EQ(RunCliArgs({"--simulate=" + capture, "drives"}).status, cli::kExitOk);
}

TEST(HostileDrives, ACommandGetsTwoMinutesNotThirtyHours) {
  auto system = testing_machines::MachineFromJson(
      Machine(std::string(R"("vendor": "VEXO", "product": "HANG", )") + kWriter +
              R"(, "faults": [{"command": "0x23", "kind": "no-answer", "times": 1}])"));
  auto device = media::CreateDevice(*system);
  ASSERT_TRUE(device->SelectDrive(0));
  const uint64_t before = system->Clock().NowNs();
  EXPECT_FALSE(device->ReadFormatCapacities(96, 0));
  EXPECT_TRUE(device->TimedOut());
  EXPECT_EQ(system->lastPassThrough->TimeOutValue, 120u);
  EXPECT_EQ(system->Clock().NowNs() - before, 121ull * 1'000'000'000);
}

TEST(HostileDrives, ACommandTheSystemRefusesIsNotADriveThatStoppedAnswering) {
  const struct {
    const char* name;
    int error;  // what the kernel answers the vendor command with
    uint32_t unanswered;
  } cases[] = {
      {"refused to an unprivileged user", EPERM, 0},
      {"refused, no access", EACCES, 0},
      {"the drive is gone", ENODEV, 1},
      {"the transfer broke", EIO, 1},
  };
  for (const auto& c : cases) {
    sim::RecordingMessageSink sink;
    fake::FakeKernel kernel;
    kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0");  // no sg node to try again
    kernel.answer = [&](const std::string&, sg_io_hdr_t& io) {
      if (io.cmdp[0] == 0xDF) return c.error;
      return fake::AnswerGood(io, {});
    };
    const auto system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
    device::AtapiDevice device(*system, {});
    ASSERT_TRUE(device.SelectDrive(0)) << c.name;
    const uint32_t before = device.UnansweredCommands();
    EXPECT_FALSE(device.ReadVendorMediaId()) << c.name;
    EXPECT_EQ(device.UnansweredCommands() - before, c.unanswered) << c.name;
  }
}

TEST(HostileDrives, AWaitForTheDriveIsShownOnATerminalAndTakenBackAfter) {
  custom_test::TempDir dir;
  const std::string fixture = dir.Write(
      "machine.json", Machine(std::string(R"("vendor": "VEXO", "product": "SLOW", )") + kWriter +
                              R"(, "becoming_ready_seconds": 4, "disc": {"type": "cd-r"})"));
  const CliRun terminal = RunCliArgs({"--simulate=" + fixture, "report"}, true);
  EXPECT_EQ(terminal.status, cli::kExitOk);
  const std::string first = "\rWaiting for drive 0 to become ready: 0 s of at most 60 s ...";
  ASSERT_EQ(terminal.err.rfind(first, 0), 0u) << terminal.err;
  EXPECT_NE(terminal.err.find("\rWaiting for drive 0 to become ready: 3 s of at most 60 s ..."),
            std::string::npos);
  // The line is taken back before the report: blanks over it, the cursor at its start.
  const std::string takenBack = "\r" + std::string(first.size() - 1, ' ') + "\r";
  ASSERT_GE(terminal.err.size(), takenBack.size());
  EXPECT_EQ(terminal.err.substr(terminal.err.size() - takenBack.size()), takenBack);
  // Not on a terminal: nothing, and the report is the same.
  const CliRun piped = RunCliArgs({"--simulate=" + fixture, "report"});
  EXPECT_EQ(piped.err, "");
  EXPECT_EQ(piped.out, terminal.out);
}

}  // namespace
