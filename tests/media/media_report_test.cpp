// The whole media report: its lines for every kind of disc, the manufacturer lookup's
// precedence, the speed operations and the order of the commands.
#include "media/media_report.h"

#include <cstring>

#include <gtest/gtest.h>

#include "custom/media_entries.h"
#include "media/write_speed.h"
#include "support/media_rig.h"

namespace {

using media_test::Rig;

class Recorder : public media::ReportSink {
 public:
  void PleaseWait(const std::string& line) override { events.push_back("wait:" + line); }
  void Cleared() override { events.push_back("cleared"); }
  void Line(const std::string& line) override { events.push_back(line); }
  std::vector<std::string> events;
};

const std::vector<custom::CdMediaEntry> kNoCdRows;
const std::vector<custom::DvdMediaEntry> kNoDvdRows;
const std::vector<custom::DvdMediaEntry> kEmptyBlockDvdRows(500, custom::DvdMediaEntry{});

media::MediaReport Report(Rig& rig, const media::ManufacturerSources& sources = {}) {
  Recorder sink;
  media::MediaReport report = media::RunMediaReport(*rig.device, sources, sink);
  // The sink sees the wait, the clearing, then exactly the report's lines.
  std::vector<std::string> expected{"wait:Please wait ...", "cleared"};
  expected.insert(expected.end(), report.lines.begin(), report.lines.end());
  EXPECT_EQ(sink.events, expected);
  return report;
}

constexpr const char* kWriter = R"("vendor": "VEXO", "product": "W",
  "reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], "writes": ["cd-r", "cd-rw", "dvd-r"],
  "profiles": ["0x0011", "0x0014", "0x001B", "0x001A"])";

// A writer drive object with more fields. Built by appending: GCC 12 warns falsely about
// `"{" + std::string(...)` at -O3.
std::string WriterWith(const std::string& more) {
  std::string drive = "{";
  drive += kWriter;
  drive += more;
  drive += "}";
  return drive;
}

struct ReportCase {
  const char* name;
  std::string drive;  // a drive object's fields after the writer's
  std::vector<std::string> lines;
  friend void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }
};

class ReportLines : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportLines, AreExactlyAsShown) {
  Rig rig = Rig::WithDrive(WriterWith(GetParam().drive));
  EXPECT_EQ(Report(rig).lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Discs, ReportLines,
    ::testing::Values(
        ReportCase{
            "NoDisc",
            "",
            {"        Drive Type = DVD DUAL ", "         Disc Type = NO MEDIA             "}},
        ReportCase{"CdR40X",
                   R"(, "current_write_kbps": 1411, "disc": {"type": "cd-r", "lead_in": "97:26:66",
                      "lead_out": "79:59:74", "selected_write_kbps": 7056})",
                   {"        Drive Type = DVD DUAL ", "         Disc Type = CDR",
                    "          Material = Phthalocyanine", "           Lead In = 97:26:66",
                    "          Lead Out = 79:59:74", "  Nominal Capacity = 702.83MB",
                    "Manufacturer Maybe = CMC Magnetics Corporation",
                    "QUILL-RATE Speed Limit = 40X (Write)"}},
        ReportCase{
            "CdRwUnknownMaker",
            R"(, "disc": {"type": "cd-rw", "atip_sub_type": 2, "lead_in": "96:43:09",
                      "lead_out": "74:59:74", "selected_write_kbps": 4234})",
            {"        Drive Type = DVD DUAL ", "         Disc Type = ULTRA SPEED CD-RW 24X",
             "          Material = Phase Change", "           Lead In = 96:43:09",
             "          Lead Out = 74:59:74", "  Nominal Capacity = 658.88MB",
             "Manufacturer Maybe = Unknown Manufacturer", "QUILL-RATE Speed Limit = 24X (Write)"}},
        ReportCase{
            "PressedCdShowsZeroSpeed",
            R"(, "current_write_kbps": 7056, "disc": {"type": "cd-rom"})",
            {"        Drive Type = DVD DUAL ", "         Disc Type = CD-ROM               ",
             "          Material = Cyanine", "           Lead In = 00:00:00",
             "          Lead Out = 00:00:00", "  Nominal Capacity = -0.29MB",
             "Manufacturer Maybe = Unknown Manufacturer", "QUILL-RATE Speed Limit = 0X (Write)"}},
        ReportCase{"DvdPlusR",
                   R"(, "vendor_media_id": true, "disc": {"type": "dvd+r", "plus_mid": "YUDEN000",
                      "plus_tid": "T02", "capacity_blocks": 2295104, "selected_write_kbps": 22160,
                      "write_speeds": [{"end_lba": 2295103, "read_kbps": 22160, "write_kbps": 22160}]})",
                   {"        Drive Type = DVD DUAL ", "         Disc Type = DVD+R (Single Layer)",
                    "          Disc MID = 59 55 44 45 4E 30 30 30 (YUDEN000)",
                    "          Disc TID = 54 30 32 (T02)", "  Nominal Capacity = 4.38GB",
                    "Manufacturer Maybe = Taiyo Yuden Company Limited",
                    "QUILL-RATE Speed Limit = 16.0X (Write)"}},
        ReportCase{
            "DvdMinusRDualLayer",
            R"(, "disc": {"type": "dvd-r-dl", "minus_mid": "MKM 03RD30  ",
                      "capacity_blocks": 4171712,
                      "write_speeds": [{"end_lba": 4171711, "read_kbps": 5540, "write_kbps": 5540}]})",
            {"        Drive Type = DVD DUAL ", "         Disc Type = DVD-R DL (Double Layer)",
             "          Disc MID = 4D 4B 4D 20 30 33 (MKM 03)",
             "          Disc TID = 52 44 33 30 20 20 (RD30  )", "  Nominal Capacity = 7.96GB",
             // The built-in search looks for a DVD-R DL's maker where a DVD+R keeps
             // it; without the vendor command there is nothing there.
             "Manufacturer Maybe = Unknown", "QUILL-RATE Speed Limit = 4.0X (Write)"}},
        // Eleven zero bytes of ID match the first empty row of the shipped tables, whose
        // text is empty; without any table they find nothing.
        // The drive is not ready for the capabilities page before the disc wait; asked again
        // after it, it is a DVD writer, so the vendor media ID and the speed are read.
        ReportCase{
            "DriveClassifiedAgainAfterTheDiscWait",
            R"(, "vendor_media_id": true, "faults": [{"command": "0x5A", "skip": 2, "times": 1,
                      "sense": [2, "0x04"]}], "disc": {"type": "dvd+r", "plus_mid": "YUDEN000",
                      "plus_tid": "T02", "capacity_blocks": 2295104, "selected_write_kbps": 22160,
                      "write_speeds": [{"end_lba": 2295103, "read_kbps": 22160, "write_kbps": 22160}]})",
            {"        Drive Type = UNKNOWN  ", "         Disc Type = DVD+R (Single Layer)",
             "          Disc MID = 59 55 44 45 4E 30 30 30 (YUDEN000)",
             "          Disc TID = 54 30 32 (T02)", "  Nominal Capacity = 4.38GB",
             "Manufacturer Maybe = Taiyo Yuden Company Limited",
             "QUILL-RATE Speed Limit = 16.0X (Write)"}},
        ReportCase{"DvdPlusRWithoutReadableIdNoTables",
                   R"(, "disc": {"type": "dvd+r", "capacity_blocks": 0})",
                   {"        Drive Type = DVD DUAL ", "         Disc Type = DVD+R (Single Layer)",
                    "Manufacturer Maybe = Unknown", "QUILL-RATE Speed Limit = 0.0X (Write)"}},
        ReportCase{
            "BdRomShowsOnlyItsKind",
            R"(, "disc": {"type": "bd-rom", "layers": 2})",
            {"        Drive Type = DVD DUAL ", "         Disc Type = BD-ROM DL (Double Layer)"}},
        ReportCase{"BdR",
                   R"(, "disc": {"type": "bd-r", "bd_mid": "VERBAT", "bd_tid": "IMe",
                      "bd_time_stamp": "hex:12 34", "bd_revision": 1})",
                   {"        Drive Type = DVD DUAL ", "         Disc Type = BD-R (Single Layer)",
                    "          Disc MID = 56 45 52 42 41 54 (VERBAT)",
                    "          Disc TID = 49 4D 65 (IMe)", "        Time Stamp = 12 34 ",
                    "         PR Number = 01 "}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReportLines, DvdSpeedNeedsAWriterOfKindAboveCombo) {
  // A COMBO drive (profile sum not in the table) reads no DVD write speed at all.
  Rig rig =
      Rig::WithDrive(R"({"vendor": "V", "reads": ["cd-r", "dvd-rom"], "writes": ["cd-r", "cd-rw"],
      "profiles": ["0x001A"], "disc": {"type": "dvd+r", "plus_mid": "MCC", "plus_tid": "004",
      "write_speeds": [{"end_lba": 1, "read_kbps": 11080, "write_kbps": 11080}]}})");
  const media::MediaReport report = Report(rig);
  EXPECT_EQ(report.lines.front(), "        Drive Type = COMBO    ");
  EXPECT_EQ(report.lines.back(), "QUILL-RATE Speed Limit = 0.0X (Write)");
  EXPECT_EQ(report.lines[3], "          Disc TID = 30 30 34 (004)");
  EXPECT_EQ(report.lines[4], "Manufacturer Maybe = Mitsubishi Chemical Corporation");
}

TEST(ReportLines, EmptyDvdRowOfTheShippedTablesGivesAnEmptyText) {
  Rig rig = Rig::WithDrive(WriterWith(R"(, "disc": {"type": "dvd+r"})"));
  const media::MediaReport report = Report(rig, {kNoCdRows, kNoDvdRows, {}, kEmptyBlockDvdRows});
  EXPECT_EQ(report.lines[2], "Manufacturer Maybe = ");
  EXPECT_EQ(report.manufacturer.source, custom::ManufacturerSource::OemTable);
}

TEST(ReportLines, LightScribeSides) {
  Rig rig = Rig::FromFixture("lightscribe.json");
  struct Case {
    int drive;
    std::vector<std::string> lines;  // the first lines of the report
  };
  for (const Case& c : {
           Case{0,
                {"        Drive Type = DVD Super Multigen (Support LightScribe)",
                 "         Disc Type = CDR"}},
           Case{1,
                {"        Drive Type = DVD Super Multigen (Support LightScribe)",
                 "         Disc Type = CDR (LightScribe Data Side)"}},
           Case{2,
                {"        Drive Type = DVD Super Multigen (Support LightScribe)",
                 "         Disc Type = (LightScribe Label Side)", "       Spoke Count = 400",
                 " Track Shift Count = 7",
                 " Outer MID = 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 8A ",
                 " Inner MID = 40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F ",
                 "             50 51 52 53 54 55 56 57 58 59 5A 5B 5C 5D 5E 5F ",
                 "             60 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D "}},
       }) {
    rig.Select(c.drive);
    const media::MediaReport report = Report(rig);
    ASSERT_GE(report.lines.size(), c.lines.size()) << c.drive;
    EXPECT_EQ(std::vector<std::string>(report.lines.begin(),
                                       report.lines.begin() + static_cast<long>(c.lines.size())),
              c.lines)
        << c.drive;
    if (c.drive == 2) {
      EXPECT_EQ(report.lines.size(), c.lines.size());  // nothing after them
    }
  }
}

custom::CdMediaEntry CdRow(const char* leadIn, const char* leadOut, const char* text) {
  custom::CdMediaEntry row{};
  std::memcpy(row.LeadInKey.data(), leadIn, std::strlen(leadIn));
  std::memcpy(row.LeadOutKey.data(), leadOut, std::strlen(leadOut));
  std::memcpy(row.DisplayText.data(), text, std::strlen(text));
  return row;
}

TEST(ManufacturerLookup, UserRowsThenBothKeysThenLeadInAloneThenBuiltIn) {
  Rig rig = Rig::WithDrive(
      WriterWith(R"(, "disc": {"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"})"));
  const std::vector<custom::CdMediaEntry> user{CdRow("972666", "795974", "From the user file")};
  std::vector<custom::CdMediaEntry> block(500, custom::CdMediaEntry{});
  block[0] = CdRow("972666", "000000", "Lead-in alone");
  block[1] = CdRow("972666", "795974", "Both keys");
  std::vector<custom::CdMediaEntry> leadInOnly(500, custom::CdMediaEntry{});
  leadInOnly[0] = CdRow("972666", "000000", "Lead-in alone");
  struct Case {
    media::ManufacturerSources sources;
    const char* line;
    custom::ManufacturerSource source;
  };
  for (const Case& c : {
           Case{{user, kNoDvdRows, block, {}},
                "Manufacturer Maybe = From the user file",
                custom::ManufacturerSource::UserFile},
           Case{{kNoCdRows, kNoDvdRows, block, {}},
                "Manufacturer Maybe = Both keys",
                custom::ManufacturerSource::OemTable},
           Case{{kNoCdRows, kNoDvdRows, leadInOnly, {}},
                "Manufacturer Maybe = Lead-in alone",
                custom::ManufacturerSource::OemTable},
           Case{{},
                "Manufacturer Maybe = CMC Magnetics Corporation",
                custom::ManufacturerSource::BuiltInTable},
       }) {
    rig.Select(0);
    const media::MediaReport report = Report(rig, c.sources);
    EXPECT_EQ(report.lines[6], c.line);
    EXPECT_EQ(report.manufacturer.source, c.source);
  }
}

TEST(ManufacturerLookup, UserDvdRowMatchesRegardlessOfCase) {
  Rig rig = Rig::WithDrive(
      WriterWith(R"(, "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN", "plus_tid": "R02"})"));
  custom::DvdMediaEntry row{};
  std::memcpy(row.MediaIdKey.data(), "ricohjpnr02x", 12);  // the twelfth byte is never compared
  std::memcpy(row.DisplayText.data(), "Mine", 4);
  const std::vector<custom::DvdMediaEntry> user{row};
  const media::MediaReport report = Report(rig, {kNoCdRows, user, {}, kEmptyBlockDvdRows});
  EXPECT_EQ(report.lines[4], "Manufacturer Maybe = Mine");
}

TEST(Speeds, SetStreamingDescriptorComesFromTheFirstWriteSpeed) {
  Rig rig = Rig::WithDrive(WriterWith(R"(, "disc": {"type": "dvd+r",
      "write_speeds": [{"end_lba": 2295103, "read_kbps": 16620, "write_kbps": 22160},
                       {"end_lba": 2295103, "read_kbps": 8310, "write_kbps": 11080}]})"));
  const auto speeds = media::SetMaxStreaming(*rig.device);
  ASSERT_EQ(speeds.size(), 2u);
  EXPECT_EQ(speeds[1].writeKbps, 11080u);
  const auto out = rig.device->DataOutBuffer();
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 28),
            (std::vector<uint8_t>{0,    0,    0,    0,    0,    0,    0,    0,    0x00, 0x23,
                                  0x05, 0x3F, 0x00, 0x00, 0x40, 0xEC, 0x00, 0x00, 0x03, 0xE8,
                                  0x00, 0x00, 0x56, 0x90, 0x00, 0x00, 0x03, 0xE8}));
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"AC", "B6"}));
  EXPECT_EQ(rig.system->Log()[1].length, 28u);
}

TEST(Speeds, AnswerWithoutDescriptorSendsNoStreamingAndReadsZero) {
  Rig rig = Rig::WithDrive(WriterWith(R"(, "disc": {"type": "dvd+r"})"));
  EXPECT_TRUE(media::SetMaxStreaming(*rig.device).empty());
  EXPECT_EQ(media::ReadDvdWriteSpeed(*rig.device), 0u);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"AC", "5A", "AC"}));
}

TEST(Speeds, DvdWriteSpeedAskedOnlyOfACdRWriter) {
  Rig rig = Rig::WithDrive(R"({"vendor": "V", "reads": ["dvd-rom"], "writes": [],
      "disc": {"type": "dvd+r", "write_speeds": [{"end_lba": 1, "read_kbps": 1, "write_kbps": 5540}]}})");
  EXPECT_EQ(media::ReadDvdWriteSpeed(*rig.device), 0u);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"5A"}));
}

TEST(CommandOrder, CdRReport) {
  Rig rig = Rig::FromMachineText(std::string(sim::DemoMachineText()));
  rig.Select(1);
  Report(rig);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{
                               "00", "00",                    // wait until ready
                               "00", "5A", "46",              // drive kind
                               "46", "5A",                    // LightScribe
                               "00", "00", "AD", "AD", "43",  // disc kind: wait, DVD, BD, ATIP
                               "43", "43",     // lead-in and lead-out; the manufacturer
                                               // search takes the lead-in read here
                               "BB", "5A"}));  // highest speed, then the speed selected
}

}  // namespace
