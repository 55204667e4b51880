// The window's drive list asks every drive at the same time, each from a thread of its own:
// the list it makes, the commands the drives receive (in the simulator's log) and what a query
// after it sends must be exactly those of asking the drives one after another; the time it
// takes on the virtual clock is that of its slowest drive.
#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>

#include "device/atapi_device.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "support/refusing_system.h"
#include "text/fixed_text.h"

namespace {

using device::AtapiDevice;
using device::DriveEntry;
using testing_machines::RefusingSystem;

constexpr uint64_t kLatencyNs = 3'000'000;
constexpr int kMaxEntries = device::kMaxDrives + 1;

// Every field of an entry, so that two lists compare byte for byte.
std::string Entry(const DriveEntry& e) {
  auto text = [](const auto& field) { return std::string(field.begin(), field.end()); };
  return std::to_string(e.Kind) + "|" + (e.KindName ? e.KindName : "(none)") + "|" +
         text(e.DisplayName) + "|" + text(e.Vendor) + text(e.Product) + text(e.Revision) +
         text(e.VendorSpecific) + "|" + text(e.RootPath) + "|" + std::to_string(e.Adapter) + "-" +
         std::to_string(e.Bus) + "-" + std::to_string(e.Target) + "-" + std::to_string(e.Lun) +
         "|" + std::to_string(e.Present) + std::to_string(e.ViaAspi) + std::to_string(e.WritesCdR) +
         std::to_string(e.IdentityUnanswered) + std::to_string(e.Identified);
}

std::vector<std::string> Log(const sim::SimSystem& system) {
  std::vector<std::string> out;
  for (const sim::LoggedCommand& c : system.Log()) {
    std::string line = std::to_string(c.drive) + ":";
    for (uint8_t b : c.cdb) line += " " + std::to_string(b);
    line += " dir " + std::to_string(static_cast<int>(c.direction)) + " len " +
            std::to_string(c.length) + " ok " + std::to_string(c.ok) + " sense " +
            std::to_string(c.senseKey) + "/" + std::to_string(c.asc) + " moved " +
            std::to_string(c.transferred);
    out.push_back(line);
  }
  return out;
}

// What one way of making the list gave, and what a query of its first drive sent after it.
struct Outcome {
  std::vector<std::string> entries;
  int16_t count = 0;
  int16_t selected = -1;
  uint32_t unanswered = 0;
  uint32_t refused = 0;
  std::vector<std::string> listLog;
  uint64_t listNs = 0;
  std::vector<std::string> reportLines;
  std::vector<std::string> reportLog;
  std::set<std::thread::id> describedOn;
};

Outcome MakeList(const sim::Machine& machine, bool parallel, std::set<std::string> refusing = {}) {
  RefusingSystem system(std::make_unique<sim::SimSystem>(machine), std::move(refusing));
  sim::SimSystem& sim = system.Inner();
  Outcome out;
  std::mutex mutex;
  device::DeviceOptions options;  // as the window makes its device
  options.keepAnswers = true;
  options.identifyInParallel = parallel;
  options.describe = [&](AtapiDevice& device, int index) {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      out.describedOn.insert(std::this_thread::get_id());
    }
    media::DescribeDrive(device, index);
  };
  AtapiDevice device(system, options);
  out.listNs = sim.Clock().NowNs();
  out.count = device.GetDriveCount();
  out.selected = device.CurrentIndex();
  for (int i = 0; i < kMaxEntries; ++i) {
    const DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    out.entries.push_back(e == nullptr ? "none" : Entry(*e));
  }
  out.unanswered = device.UnansweredCommands();
  out.refused = device.RefusedCommands();
  out.listLog = Log(sim);
  // The first query takes what the list learnt (a window's F5 after start-up).
  if (device.SelectDrive(0)) {
    sim.ClearLog();
    media::SilentReportSink sink;
    out.reportLines = media::RunMediaReport(device, {}, sink).lines;
    out.reportLog = Log(sim);
  }
  return out;
}

sim::Drive DemoWriter(int i) {
  sim::Drive drive = sim::DemoMachine().drives.at(2);
  drive.root = std::string(1, static_cast<char>('D' + i)) + ":\\";
  drive.port = static_cast<uint8_t>(i / 4);
  drive.target = static_cast<uint8_t>(i % 4);
  drive.latencyNs = kLatencyNs;
  return drive;
}

sim::Machine WithDrives(std::vector<sim::Drive> drives) {
  sim::Machine machine = sim::DemoMachine();
  machine.drives = std::move(drives);
  return machine;
}

sim::Machine Writers(int count) {
  std::vector<sim::Drive> drives;
  for (int i = 0; i < count; ++i) drives.push_back(DemoWriter(i));
  return WithDrives(drives);
}

sim::Machine Faulty() {
  std::vector<sim::Drive> drives;
  for (int i = 0; i < 6; ++i) drives.push_back(DemoWriter(i));
  sim::Fault noAnswer;  // INQUIRY never answered: ten attempts, each up to the time-out
  noAnswer.kind = sim::Fault::Kind::NoAnswer;
  noAnswer.opcode = 0x12;
  drives[1].faults.push_back(noAnswer);
  drives[2].identityZeros = true;
  drives[3].unitAttentions = 3;
  sim::Fault flaky;  // INQUIRY fails three times, then answers
  flaky.opcode = 0x12;
  flaky.sense = {0x02, 0x04, 0x01};
  flaky.times = 3;
  drives[4].faults.push_back(flaky);
  drives[5].vanishAfter = 2;
  return WithDrives(drives);
}

// A writer of another maker: it knows neither the vendor media-ID command nor the vendor page,
// and rejects the profile list as an unknown command.
sim::Machine OtherMaker() {
  std::vector<sim::Drive> drives{DemoWriter(0), DemoWriter(1)};
  drives[0].vendor = "OTHR";
  drives[0].vendorMediaId = false;
  drives[0].vendorPage = false;
  sim::Fault unknown;
  unknown.opcode = 0x46;
  unknown.sense = {0x05, 0x20, 0x00};
  drives[0].faults.push_back(unknown);
  return WithDrives(drives);
}

TEST(ParallelIdentification, GivesTheListAndCommandsOfAskingInTurn) {
  struct Case {
    const char* name;
    sim::Machine machine;
    std::set<std::string> refusing;
  };
  const std::vector<Case> cases{
      {"the demo machine", sim::DemoMachine(), {}},
      {"one drive", Writers(1), {}},
      {"16 drives", Writers(16), {}},
      {"refused drives", Writers(5), {"D:\\", "F:\\", "H:\\"}},
      {"all refused", Writers(3), {"D:\\", "E:\\", "F:\\"}},
      {"unanswered and empty identities, unit attentions, a drive that vanishes", Faulty(), {}},
      {"a drive of another maker", OtherMaker(), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome serial = MakeList(c.machine, false, c.refusing);
    const Outcome parallel = MakeList(c.machine, true, c.refusing);
    EXPECT_EQ(parallel.entries, serial.entries);
    EXPECT_EQ(parallel.count, serial.count);
    EXPECT_EQ(parallel.selected, serial.selected);
    EXPECT_EQ(parallel.unanswered, serial.unanswered);
    EXPECT_EQ(parallel.refused, serial.refused);
    EXPECT_EQ(parallel.listLog, serial.listLog);
    EXPECT_EQ(parallel.reportLines, serial.reportLines);
    EXPECT_EQ(parallel.reportLog, serial.reportLog) << "the query takes what the list learnt";
    EXPECT_LE(parallel.listNs, serial.listNs);
  }
}

TEST(ParallelIdentification, EachDriveIsAskedOnAThreadOfItsOwn) {
  const Outcome parallel = MakeList(Writers(16), true);
  EXPECT_EQ(parallel.describedOn.size(), 16u);
  EXPECT_EQ(parallel.describedOn.count(std::this_thread::get_id()), 0u);
  EXPECT_EQ(MakeList(Writers(16), false).describedOn.size(), 1u);
}

TEST(ParallelIdentification, TheListTakesAsLongAsItsSlowestDrive) {
  struct Case {
    const char* name;
    sim::Machine machine;
    uint64_t listNs;  // on the virtual clock
  };
  sim::Machine slowAmongFast = Writers(16);
  slowAmongFast.drives[9].latencyNs = 10 * kLatencyNs;
  sim::Machine silent = Writers(4);
  sim::Fault noAnswer;
  noAnswer.kind = sim::Fault::Kind::NoAnswer;
  noAnswer.opcode = 0x12;
  silent.drives[2].faults.push_back(noAnswer);
  const uint64_t oneDrive = MakeList(Writers(1), false).listNs;
  ASSERT_EQ(oneDrive, 4 * kLatencyNs) << "TEST UNIT READY, INQUIRY, MODE SENSE, GET CONFIGURATION";
  for (const Case& c : {
           Case{"16 drives", Writers(16), oneDrive},
           Case{"a slow drive among fast ones", slowAmongFast, 10 * oneDrive},
           // Ten INQUIRYs, each given up after the 120-second time-out.
           Case{"a drive that does not answer", silent,
                4 * kLatencyNs + 10 * (kLatencyNs + 121'000'000'000ull)},
       }) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MakeList(c.machine, true).listNs, c.listNs);
  }
}

// Where the drives cannot be asked at the same time, they are asked in turn.
TEST(ParallelIdentification, AskedInTurnWhereDrivesCannotBeAskedAtOnce) {
  sim::Machine aspi = Writers(3);
  aspi.aspiPresent = true;
  for (size_t i = 0; i < aspi.drives.size(); ++i) {
    aspi.drives[i].aspiAddress = std::array<uint8_t, 3>{0, static_cast<uint8_t>(i), 0};
  }
  sim::Machine sameRoot = Writers(3);
  sameRoot.drives[2].root = sameRoot.drives[1].root;
  for (const auto& [name, machine] : {std::pair{"through an ASPI manager", aspi},
                                      std::pair{"two entries of one root", sameRoot}}) {
    SCOPED_TRACE(name);
    const Outcome parallel = MakeList(machine, true);
    EXPECT_EQ(parallel.describedOn.size(), 1u);
    EXPECT_EQ(parallel.entries, MakeList(machine, false).entries);
  }
}

// A describe step that fails for one drive fails the list as it fails in turn, once every
// drive's thread has ended.
TEST(ParallelIdentification, AFailureOnOneThreadEndsTheListAfterAllHaveEnded) {
  for (const bool parallel : {false, true}) {
    SCOPED_TRACE(parallel ? "at once" : "in turn");
    sim::SimSystem system(Writers(4));
    device::DeviceOptions options;
    options.identifyInParallel = parallel;
    options.describe = [](const AtapiDevice& device, int index) {
      if (text::TextOf(device.GetDriveEntry(static_cast<unsigned>(index))->RootPath) == "F:\\") {
        throw std::runtime_error("no memory for F:");
      }
    };
    EXPECT_THROW(
        {
          try {
            AtapiDevice device(system, options);
          } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "no memory for F:");
            throw;
          }
        },
        std::runtime_error);
  }
}

}  // namespace
