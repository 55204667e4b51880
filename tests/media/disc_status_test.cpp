// The disc status reader on simulated drives: one row per disc type and per quirk or bad answer
// a drive can give. Every number it reports must be one the drive gave and that holds
// together; anything else is "the drive does not say".
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "media/disc_status.h"
#include "media/disc_status_text.h"
#include "media/drive_kind.h"
#include "platform/mmc_opcodes.h"
#include "support/sim_machines.h"

namespace {

using media::DiscState;
using media::SessionState;

constexpr const char* kCdR = R"("type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74")";
constexpr const char* kCdRw = R"("type": "cd-rw", "lead_in": "97:15:10", "lead_out": "79:59:74")";
// 79:59:74 is block 359 849 once the 150 blocks before block 0 are taken off.
constexpr uint32_t kCdBlocks = 359'849;

// A track information answer for the invisible track: blank, next writable address `nwa`
// (valid when `valid`), `free` free blocks and a track of `size` blocks.
std::string TrackAnswer(uint32_t nwa, uint32_t free, uint32_t size, bool valid = true) {
  auto hex = [](uint32_t v) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) {
      const uint8_t b = static_cast<uint8_t>(v >> shift);
      out += ' ';
      out += digits[b >> 4];
      out += digits[b & 15];
    }
    return out;
  };
  return "00 2E 01 01 00 04 41 " + std::string(valid ? "01" : "00") + hex(nwa) + hex(nwa) +
         hex(free) + " 00 00 00 00" + hex(size) + " 00 00 00 00";
}

struct StatusCase {
  const char* name;
  std::string disc;   // the disc's fixture fields
  std::string drive;  // more drive fields: faults, raw answers
  DiscState state;
  std::optional<uint32_t> sessions;
  std::optional<uint32_t> freeBlocks;
  std::optional<uint32_t> recordedBlocks;
  std::optional<bool> erasable;
  std::string firstLine;
};

std::string Fault(const char* opcode, const char* kind, const char* more = "") {
  return std::string(R"(, "faults": [{"command": ")") + opcode + R"(", "kind": ")" + kind + "\"" +
         more + "}]";
}

const StatusCase kCases[] = {
    {"blank CD-R", kCdR, "", DiscState::Blank, 0, kCdBlocks, std::nullopt, false,
     "Blank, 736 MB free (0.68 GiB, 359 849 blocks)"},
    {"appendable CD-R of two sessions",
     std::string(kCdR) + R"(, "written": "appendable", "sessions": 2, "recorded_blocks": 240000)",
     "", DiscState::Appendable, 2, kCdBlocks - 240'000, std::nullopt, false,
     "Appendable: 2 sessions, 245 MB free"},
    {"appendable CD-R of one session",
     std::string(kCdR) + R"(, "written": "appendable", "sessions": 1, "recorded_blocks": 359848)",
     "", DiscState::Appendable, 1, 1u, std::nullopt, false, "Appendable: 1 session, 2 KiB free"},
    {"finished CD-R",
     std::string(kCdR) + R"(, "written": "complete", "sessions": 3, "recorded_blocks": 300000)", "",
     DiscState::Complete, 3, 0u, 300'000u, false, "Finished (closed): nothing more can be written"},
    {"blank CD-RW", kCdRw, "", DiscState::Blank, 0, kCdBlocks, std::nullopt, true,
     "Blank, 736 MB free (0.68 GiB, 359 849 blocks)"},
    {"finished CD-RW", std::string(kCdRw) + R"(, "written": "complete")", "", DiscState::Complete,
     1, 0u, kCdBlocks, true, "Finished (closed): nothing more can be written"},
    {"pressed CD", R"("type": "cd-rom", "lead_out": "60:00:00")", "", DiscState::Complete, 1, 0u,
     269'850u, false, "Finished (closed): nothing more can be written"},
    {"blank DVD+R", R"("type": "dvd+r", "capacity_blocks": 2295104)", "", DiscState::Blank, 0,
     2'295'104u, std::nullopt, false, "Blank, 4 700 MB free (4.37 GiB, 2 295 104 blocks)"},
    {"blank DVD-R DL", R"("type": "dvd-r-dl", "capacity_blocks": 4171712)", "", DiscState::Blank, 0,
     4'171'712u, std::nullopt, false, "Blank, 8 543 MB free (7.95 GiB, 4 171 712 blocks)"},
    {"appendable DVD+R DL",
     R"("type": "dvd+r-dl", "capacity_blocks": 4173824, "written": "appendable", "sessions": 1,
        "recorded_blocks": 1000000)",
     "", DiscState::Appendable, 1, 3'173'824u, std::nullopt, false,
     "Appendable: 1 session, 6 499 MB free"},
    {"finished DVD-R",
     R"("type": "dvd-r", "capacity_blocks": 2298496, "written": "complete",
        "recorded_blocks": 1843200)",
     "", DiscState::Complete, 1, 0u, 1'843'200u, false,
     "Finished (closed): nothing more can be written"},
    {"blank DVD-RW, sequential", R"("type": "dvd-rw", "capacity_blocks": 2297888)", "",
     DiscState::Blank, 0, 2'297'888u, std::nullopt, true,
     "Blank, 4 706 MB free (4.38 GiB, 2 297 888 blocks)"},
    // A fresh DVD-RW in restricted overwrite says "appendable": it is written in place.
    {"DVD-RW in restricted overwrite",
     R"("type": "dvd-rw", "current_profile": "0x0013", "written": "appendable",
        "capacity_blocks": 2297888, "capacity_descriptor_type": 2)",
     "", DiscState::Overwritable, std::nullopt, 2'297'888u, std::nullopt, true,
     "Overwritable, formatted: 4 706 MB (4.38 GiB, 2 297 888 blocks)"},
    // A DVD+RW says "complete" however empty it is.
    {"formatted DVD+RW",
     R"("type": "dvd+rw", "capacity_blocks": 2295104, "capacity_descriptor_type": 2)", "",
     DiscState::Overwritable, std::nullopt, 2'295'104u, std::nullopt, true,
     "Overwritable, formatted: 4 700 MB (4.37 GiB, 2 295 104 blocks)"},
    {"DVD+RW never formatted",
     R"("type": "dvd+rw", "capacity_blocks": 2295104, "capacity_descriptor_type": 1)", "",
     DiscState::Overwritable, std::nullopt, 2'295'104u, std::nullopt, true,
     "Overwritable, not formatted yet: 4 700 MB (4.37 GiB, 2 295 104 blocks) once formatted"},
    {"DVD-RAM", R"("type": "dvd-ram", "capacity_blocks": 2236704, "capacity_descriptor_type": 2)",
     "", DiscState::Overwritable, std::nullopt, 2'236'704u, std::nullopt, true,
     "Overwritable, formatted: 4 580 MB (4.26 GiB, 2 236 704 blocks)"},
    {"BD-R with spare areas",
     R"("type": "bd-r", "capacity_blocks": 12219392, "spare_blocks": 393216)", "", DiscState::Blank,
     0, 11'826'176u, std::nullopt, false, "Blank, 24 220 MB free (22.55 GiB, 11 826 176 blocks)"},
    {"BD-RE", R"("type": "bd-re", "capacity_blocks": 11826176, "capacity_descriptor_type": 2)", "",
     DiscState::Overwritable, std::nullopt, 11'826'176u, std::nullopt, true,
     "Overwritable, formatted: 24 220 MB (22.55 GiB, 11 826 176 blocks)"},
    {"pressed BD", R"("type": "bd-rom")", "", DiscState::Complete, 1, 0u, 12'219'392u, false,
     "Finished (closed): nothing more can be written"},

    // Drives that refuse a command or answer short say nothing, never a wrong number.
    {"disc information refused", kCdR, Fault("0x51", "sense"), DiscState::Unknown, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, "Disc status: the drive does not say"},
    {"disc information cut short", kCdR, Fault("0x51", "short", R"(, "length": 8)"),
     DiscState::Unknown, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     "Disc status: the drive does not say"},
    {"track information refused", kCdR, Fault("0x52", "sense"), DiscState::Blank, 0, std::nullopt,
     std::nullopt, false, "Blank, free space: the drive does not say"},
    {"track information cut short", kCdR, Fault("0x52", "short", R"(, "length": 20)"),
     DiscState::Blank, 0, std::nullopt, std::nullopt, false,
     "Blank, free space: the drive does not say"},
    {"free blocks beyond any CD", kCdR,
     R"(, "raw": {"52": ")" + TrackAnswer(0, 500'000, 500'000) + "\"}", DiscState::Blank, 0,
     std::nullopt, std::nullopt, false, "Blank, free space: the drive does not say"},
    {"free blocks negative", kCdR,
     R"(, "raw": {"52": ")" + TrackAnswer(0, 0xFFFFFFF0, 0xFFFFFFF0) + "\"}", DiscState::Blank, 0,
     std::nullopt, std::nullopt, false, "Blank, free space: the drive does not say"},
    {"free blocks beyond the track", kCdR,
     R"(, "raw": {"52": ")" + TrackAnswer(0, 300'000, 200'000) + "\"}", DiscState::Blank, 0,
     std::nullopt, std::nullopt, false, "Blank, free space: the drive does not say"},
    {"free space running past the largest DVD", R"("type": "dvd+r", "capacity_blocks": 2295104)",
     R"(, "raw": {"52": ")" + TrackAnswer(4'000'000, 300'000, 300'000) + "\"}", DiscState::Blank, 0,
     std::nullopt, std::nullopt, false, "Blank, free space: the drive does not say"},
    {"no writable address", kCdR,
     R"(, "raw": {"52": ")" + TrackAnswer(0, 1000, 1000, false) + "\"}", DiscState::Blank, 0,
     std::nullopt, std::nullopt, false, "Blank, free space: the drive does not say"},
    {"free blocks as the drive gives them", kCdR,
     R"(, "raw": {"52": ")" + TrackAnswer(0, 1000, 1000) + "\"}", DiscState::Blank, 0, 1000u,
     std::nullopt, false, "Blank, 2 MB free (1 000 blocks)"},
    {"free space under a megabyte", kCdR, R"(, "raw": {"52": ")" + TrackAnswer(0, 300, 300) + "\"}",
     DiscState::Blank, 0, 300u, std::nullopt, false, "Blank, 600 KiB free (300 blocks)"},
    {"capacity refused on a finished disc", std::string(kCdR) + R"(, "written": "complete")",
     Fault("0x25", "sense"), DiscState::Complete, 1, 0u, std::nullopt, false,
     "Finished (closed): nothing more can be written"},
    {"last block FFFFFFFFh on a finished disc", std::string(kCdR) + R"(, "written": "complete")",
     R"(, "raw": {"25": "FF FF FF FF 00 00 08 00"})", DiscState::Complete, 1, 0u, std::nullopt,
     false, "Finished (closed): nothing more can be written"},
    {"format capacities refused", R"("type": "dvd+rw", "capacity_blocks": 2295104)",
     Fault("0x23", "sense"), DiscState::Overwritable, std::nullopt, std::nullopt, std::nullopt,
     true, "Overwritable, capacity: the drive does not say"},
    {"format capacity beyond any BD", R"("type": "bd-re", "capacity_blocks": 100000000)", "",
     DiscState::Overwritable, std::nullopt, std::nullopt, std::nullopt, true,
     "Overwritable, capacity: the drive does not say"},
    {"status other", kCdR, R"(, "raw": {"51": "00 20 03 01 01 01 01 00 00 00 00 00 00 00"})",
     DiscState::Other, 0, std::nullopt, std::nullopt, false,
     "Other: whether more can be written: the drive does not say"},
};

std::string Machine(const StatusCase& c) {
  return testing_machines::OneDrive(R"(, "disc": {)" + c.disc + "}" + c.drive);
}

TEST(DiscStatus, EachDiscTypeAndBadAnswer) {
  for (const StatusCase& c : kCases) {
    SCOPED_TRACE(c.name);
    auto system = testing_machines::MachineFromJson(Machine(c));
    auto device = media::CreateDevice(*system);
    ASSERT_TRUE(device->SelectDrive(0));
    const media::DiscStatus status = media::ReadDiscStatus(*device);
    EXPECT_TRUE(status.disc);
    EXPECT_EQ(status.state, c.state);
    EXPECT_EQ(status.sessions, c.sessions);
    EXPECT_EQ(status.freeBlocks, c.freeBlocks);
    EXPECT_EQ(status.recordedBlocks, c.recordedBlocks);
    EXPECT_EQ(status.erasable, c.erasable);
    const std::vector<std::string> lines = media::DiscStatusLines(status);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.firstLine);
    const bool erasableLine =
        std::find(lines.begin(), lines.end(), "Rewritable, can be erased") != lines.end();
    EXPECT_EQ(erasableLine, status.erasable.value_or(false));
  }
}

TEST(DiscStatus, NoDisc) {
  auto system = testing_machines::MachineFromJson(testing_machines::OneDrive());
  auto device = media::CreateDevice(*system);
  ASSERT_TRUE(device->SelectDrive(0));
  const media::DiscStatus status = media::ReadDiscStatus(*device);
  EXPECT_FALSE(status.disc);
  EXPECT_EQ(media::DiscStatusLines(status), std::vector<std::string>{"No disc in the drive"});
}

// The commands status sends, per disc type: the wait, the profile, and then only what the
// disc's state needs, each once.
struct CommandCase {
  const char* name;
  std::string disc;
  std::vector<uint8_t> opcodes;
};

TEST(DiscStatus, CommandsPerDiscType) {
  namespace mmc = platform::mmc;
  const std::vector<CommandCase> cases = {
      {"blank",
       R"({"type": "dvd+r", "capacity_blocks": 2295104})",
       {mmc::kTestUnitReady, mmc::kGetConfiguration, mmc::kReadDiscInformation,
        mmc::kReadTrackInformation}},
      {"appendable",
       std::string("{") + kCdR + R"(, "written": "appendable", "sessions": 2})",
       {mmc::kTestUnitReady, mmc::kGetConfiguration, mmc::kReadDiscInformation,
        mmc::kReadTrackInformation}},
      {"finished",
       R"({"type": "dvd-r", "written": "complete"})",
       {mmc::kTestUnitReady, mmc::kGetConfiguration, mmc::kReadDiscInformation,
        mmc::kReadCapacity}},
      {"overwritable",
       R"({"type": "bd-re", "capacity_blocks": 11826176})",
       {mmc::kTestUnitReady, mmc::kGetConfiguration, mmc::kReadFormatCapacities}},
      {"status answered empty",
       R"({"type": "dvd+r", "raw": {"51": ""}})",
       {mmc::kTestUnitReady, mmc::kGetConfiguration, mmc::kReadDiscInformation}},
      {"no disc", "null", {mmc::kTestUnitReady}},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto system =
        testing_machines::MachineFromJson(testing_machines::OneDrive(R"(, "disc": )" + c.disc));
    auto device = media::CreateDevice(*system);
    ASSERT_TRUE(device->SelectDrive(0));
    device->ForgetAnswers();
    system->ClearLog();
    media::ReadDiscStatus(*device);
    std::vector<uint8_t> sent;
    for (const auto& command : system->Log()) sent.push_back(command.cdb[0]);
    EXPECT_EQ(sent, c.opcodes);
    // The track asked for is the last track of the last session, by number.
    for (const auto& command : system->Log()) {
      if (command.cdb[0] != mmc::kReadTrackInformation) continue;
      EXPECT_EQ(command.cdb[1], 1);
      EXPECT_EQ(command.cdb[5], c.name == std::string("appendable") ? 3 : 1);
    }
  }
}

}  // namespace
