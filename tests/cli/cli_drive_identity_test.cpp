// The terminal companion identifies only the drives a command looks at (up to the first writer,
// or up to the drive given with --drive, whose index counts as "drives" lists them): a report on
// the first of 16 drives sends the commands of a machine with that drive alone.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/drive_choice.h"
#include "cli/session.h"
#include "custom/temp_dir.h"
#include "media/media_report.h"
#include "platform/sim/sim_system.h"
#include "text/fixed_text.h"

namespace {

std::string Drive(int port, int target, const std::string& product, bool writer) {
  const std::string kinds =
      writer ? R"("writes": ["cd-r", "cd-rw", "dvd-r"], )" : R"("writes": [], )";
  return R"({"root": ")" + std::string(1, static_cast<char>('D' + port * 4 + target)) +
         R"(:\\", "address": {"port": )" + std::to_string(port) + R"(, "path": 0, "target": )" +
         std::to_string(target) + R"(, "lun": 0}, "vendor": "VEXO", "product": ")" + product +
         R"(", "revision": "1.00", "reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], )" + kinds +
         R"("disc": {"type": "dvd+r", "plus_mid": "RICOHJPN", "plus_tid": "R02"}})";
}

// `drives` drives at ports 0-3, targets 0-3 (in that address order), the writer at `writer`.
std::string Machine(int drives, int writer) {
  std::string list;
  for (int i = 0; i < drives; ++i) {
    if (!list.empty()) list += ",\n";
    list += Drive(i / 4, i % 4, i == writer ? "DVD-RW WRITER" : "DVD-ROM READER", i == writer);
  }
  return R"({"platform": {"nt": true}, "drives": [)" + list + "]}";
}

struct ReportRun {
  size_t commands = 0;
  std::string product;
};

// What `report` (with --drive `requested`, or the first writer when it is -1) sends.
ReportRun ReportCommands(const std::string& fixture, int requested) {
  std::ostringstream out, err, progress;
  cli::Session session(out, err, progress);
  session.choice.simulate = fixture;
  auto& system = dynamic_cast<sim::SimSystem&>(session.System());
  int status = 0;
  const auto index = cli::ChooseDrive(session, requested, status);
  if (!index) {
    ADD_FAILURE() << err.str();
    return {};
  }
  device::AtapiDevice& device = session.Device();
  media::SilentReportSink sink;
  media::RunMediaReport(device, {}, sink);
  return {system.Log().size(), text::TrimTrailingBlanks(std::string(text::TextOf(
                                   device.GetDriveEntry(static_cast<unsigned>(*index))->Product)))};
}

TEST(CliDriveIdentity, OneDriveOfSixteenCostsWhatTheDriveAloneCosts) {
  custom_test::TempDir dir;
  const auto alone = dir.Write("alone.json", Machine(1, 0));
  const ReportRun aloneRun = ReportCommands(alone, -1);
  ASSERT_GT(aloneRun.commands, 0u);
  EXPECT_EQ(aloneRun.product, "DVD-RW WRITER");

  struct Case {
    const char* name;
    int writer;     // where the writer sits among 16 drives
    int requested;  // --drive, or -1 for the first writer
  };
  const Case cases[] = {
      {"the first writer is drive 0", 0, -1},
      {"--drive 0 names the writer", 0, 0},
  };
  for (const Case& c : cases) {
    const auto sixteen = dir.Write(std::string("sixteen-") + std::to_string(c.writer) + ".json",
                                   Machine(16, c.writer));
    const ReportRun run = ReportCommands(sixteen, c.requested);
    EXPECT_EQ(run.product, "DVD-RW WRITER") << c.name;
    EXPECT_EQ(run.commands, aloneRun.commands) << c.name;
  }
}

}  // namespace
