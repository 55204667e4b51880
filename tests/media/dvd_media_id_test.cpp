// DVD and BD identification: the media-ID readers, the format capacities, the built-in
// prefix table and the report lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "media/disc_kind.h"
#include "media/manufacturer_search.h"
#include "media/manufacturer_tables.h"
#include "media/media_id.h"
#include "media/report_lines.h"
#include "media/upper_case.h"
#include "support/media_rig.h"
#include "text/format_c.h"

namespace {

using media_test::Rig;

struct DvdRow {
  const char* key;
  const char* name;
};

// The media-ID prefixes as the product documents them, in their search order.
const DvdRow kDocumentedDvdRows[] = {
    {"AML", "AML Technology"},
    {"AUVI", "Auvistar Industry Co., Ltd."},
    {"BEALL", "BeAll"},
    {"CMC", "CMC Magnetics Corporation"},
    {"DAXON", "Daxon Inc."},
    {"DVSN", "Digital Storage Technology Co., Ltd."},
    {"EDM", "E-Top Navigator Technology Inc."},
    {"FORNEX", "Fornet International Pte. Ltd."},
    {"FUJI", "FUJI Photo Film Co., Ltd."},
    {"GSC", "Gigastorage Corporation"},
    {"IFILM", "IFILM"},
    {"INFODI", "Infodisc Technology Co., Ltd."},
    {"ISSM", "Info Source Multi Media Ltd."},
    {"JVC", "VICTOR COMPANY OF JAPAN, LTD."},
    {"LD", "Lead Data Inc."},
    {"LG", "LG"},
    {"LEAD", "Lead Data Inc."},
    {"LONG", "Longten Tech. Co., Ltd."},
    {"MAM", "MAM-E Inc."},
    {"MAX", "Maxell"},
    {"MBI", "Moser Baer India Limited"},
    {"MCI", "Nashua"},
    {"MCC", "Mitsubishi Chemical Corporation"},
    {"ME153", "MJC"},
    {"MEI", "Panasonic"},
    {"MJC", "MJC(Singapore) Pte Ltd"},
    {"MKM", "Mitsubishi Chemical Corporation"},
    {"MPO", "MPO"},
    {"MXL", "Maxell"},
    {"NANYA", "Nan Ya Plastics Corporation"},
    {"ONID", "UL Tran Technology and Service Co."},
    {"OPTO", "Opto Disc"},
    {"PHILIP", "Philips Electronics"},
    {"PLASMON", "Plasmon Data Limited"},
    {"POS", "Postech Corporation"},
    {"PRINCO", "Princo Corporation"},
    {"PRODI", "Prodisc Technology Inc."},
    {"PVC", "Pioneer Video Corporation"},
    {"RICOH", "Ricoh Company Limited"},
    {"RITEK", "RiTEK Corporation"},
    {"SENTIN", "Sentinel Technologies"},
    {"SKC", "SKC Co., Ltd."},
    {"SKYMED", "Sky Media Manufacturing SA"},
    {"SONY", "Sony Corporation"},
    {"TDK", "TDK Corporation"},
    {"TAROKO", "Taroko International Co., Ltd."},
    {"TAIYO", "Taiyo Yuden Company Limited"},
    {"TTG", "TDK Corporation"},
    {"TY", "Taiyo Yuden Company Limited"},
    {"ULTRAN", "UL TRAN Technology & Service Corp."},
    {"VDSP", "Interaxia AG"},
    {"YIJHAN", "Yi Jhan Company Limited"},
    {"YUDEN", "Taiyo Yuden Company Limited"},
    {"MATSUSHITA", "Matsushita Electric Industrial Co., Ltd."},
};

TEST(DvdManufacturerTable, MatchesTheDocumentedRowsInOrder) {
  ASSERT_EQ(media::DvdManufacturerTable.size(), std::size(kDocumentedDvdRows));
  for (size_t i = 0; i < std::size(kDocumentedDvdRows); ++i) {
    SCOPED_TRACE(i);
    const media::DvdManufacturerRecord& record = media::DvdManufacturerTable[i];
    char key[10] = {};
    std::memcpy(key, kDocumentedDvdRows[i].key, std::strlen(kDocumentedDvdRows[i].key));
    EXPECT_EQ(std::memcmp(record.key, key, 10), 0);
    const uint8_t zeros[4] = {};
    EXPECT_EQ(std::memcmp(record.typeId, zeros, 4), 0);
    char name[48] = {};
    std::strncpy(name, kDocumentedDvdRows[i].name, sizeof name - 1);
    EXPECT_EQ(std::memcmp(record.name, name, 48), 0);
  }
  // The longest key fills its field and is still read as ten characters.
  EXPECT_EQ(media::KeyOf(media::DvdManufacturerTable[53]), "MATSUSHITA");
}

struct SearchCase {
  const char* id;
  bool exactFirst;  // the plus search tries the whole text first
  const char* name;
};

class DvdSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(DvdSearch, FindsTheFirstQualifyingRecord) {
  const SearchCase& c = GetParam();
  std::optional<std::string_view> found;
  if (c.exactFirst) found = media::FindDvdKeyEqual(c.id);
  if (!found) found = media::FindDvdKeyInside(c.id);
  EXPECT_EQ(found.value_or("(nothing)"), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, DvdSearch,
    ::testing::Values(SearchCase{"RICOHJPN", true, "Ricoh Company Limited"},
                      SearchCase{"MCC", true, "Mitsubishi Chemical Corporation"},
                      SearchCase{"YUDEN000", true, "Taiyo Yuden Company Limited"},
                      SearchCase{"MCC 01RG20  ", false, "Mitsubishi Chemical Corporation"},
                      SearchCase{"TTG02       ", false, "TDK Corporation"},
                      SearchCase{"TYG02       ", false, "Taiyo Yuden Company Limited"},
                      SearchCase{"mcc 01rg20", false, "Mitsubishi Chemical Corporation"},
                      SearchCase{"ricohjpn", true, "Ricoh Company Limited"},
                      SearchCase{"MATSUSHITA", false, "Matsushita Electric Industrial Co., Ltd."},
                      SearchCase{"MATSUSHIT", false, "(nothing)"},
                      SearchCase{"XYZ", true, "(nothing)"}, SearchCase{"", true, "(nothing)"},
                      // "CMC" (record 3) comes before "MCC" (22) in the substring pass.
                      SearchCase{"MCCMC", false, "CMC Magnetics Corporation"},
                      SearchCase{"LEADDATA", false, "Lead Data Inc."}));

TEST(UpperCp1252, FixedTableWhateverTheLocale) {
  EXPECT_EQ(media::UpperCp1252("ricoh jpn 01"), "RICOH JPN 01");
  EXPECT_EQ(media::UpperCp1252("\x9a\x9c\x9e\xff\xe0\xfe\xf7\xdf\xb5i"),
            "\x8a\x8c\x8e\x9f\xc0\xde\xf7\xdf\xb5I");
}

// Reads every ID of drive `index` of dvd.json with the kinds it classifies to.
struct ReaderCase {
  int drive;
  media::DriveKind driveKind;
  media::DiscKind discKind;
  const char* reader;  // "plus-mid", "plus-tid", "minus-mid"
  std::vector<std::string> opcodes;
  std::string id;
};

class Readers : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(Readers, ChooseTheVendorCommandByKind) {
  const ReaderCase& c = GetParam();
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(c.drive);
  ASSERT_EQ(rig.device->GetDriveEntry(static_cast<unsigned>(c.drive))->Kind,
            media::Code(c.driveKind));
  std::string id;
  const std::string reader = c.reader;
  if (reader == "plus-mid") {
    id = media::IdText(media::ReadPlusMediaId(*rig.device, c.driveKind, c.discKind));
  } else if (reader == "plus-tid") {
    id = media::IdText(media::ReadPlusTypeId(*rig.device, c.driveKind, c.discKind));
  } else {
    id = media::IdText(media::ReadMinusMediaId(*rig.device, c.driveKind, c.discKind));
  }
  EXPECT_EQ(rig.Opcodes(), c.opcodes);
  EXPECT_EQ(id, c.id);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, Readers,
    ::testing::Values(
        // DVD+RW in a kind 9 drive: MID from the vendor command, TID never from it.
        ReaderCase{5,
                   media::DriveKind::DvdPlusRPlusRw,
                   media::DiscKind::DvdPlusRw,
                   "plus-mid",
                   {"DF"},
                   "RICOHJPN"},
        ReaderCase{5,
                   media::DriveKind::DvdPlusRPlusRw,
                   media::DiscKind::DvdPlusRw,
                   "plus-tid",
                   {"AD"},
                   "W11"},
        ReaderCase{6,
                   media::DriveKind::DvdSuperMulti,
                   media::DiscKind::DvdPlusR,
                   "plus-tid",
                   {"DF"},
                   "R02"},
        // No vendor command: it fails, the physical format answers.
        ReaderCase{7,
                   media::DriveKind::DvdDual,
                   media::DiscKind::DvdPlusR,
                   "plus-mid",
                   {"DF", "AD"},
                   "MCC"},
        // A COMBO drive is not asked.
        ReaderCase{
            13, media::DriveKind::Combo, media::DiscKind::DvdPlusR, "plus-mid", {"AD"}, "YUDEN000"},
        ReaderCase{
            13, media::DriveKind::Combo, media::DiscKind::DvdPlusR, "plus-tid", {"AD"}, "T02"},
        // DVD-R DL: vendor command above kind 8, pre-recorded information otherwise.
        ReaderCase{10,
                   media::DriveKind::DvdSuperMulti,
                   media::DiscKind::DvdMinusRDl,
                   "minus-mid",
                   {"DF"},
                   "MKM 01RD30  "},
        ReaderCase{11,
                   media::DriveKind::DvdMinusRw,
                   media::DiscKind::DvdMinusRDl,
                   "minus-mid",
                   {"AD"},
                   "MKM 01RD30  "},
        // A DVD-R (17) is below DVD+RW: never the vendor command.
        ReaderCase{2,
                   media::DriveKind::DvdDual,
                   media::DiscKind::DvdMinusR,
                   "minus-mid",
                   {"AD"},
                   "MCC 01RG20  "},
        // The DVD-ROM reader has no pre-recorded information to give.
        ReaderCase{0, media::DriveKind::DvdRom, media::DiscKind::DvdRom, "minus-mid", {"AD"}, ""}));

TEST(Readers, CommandBlocks) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(5);
  media::ReadPlusMediaId(*rig.device, media::DriveKind::DvdPlusRPlusRw, media::DiscKind::DvdPlusRw);
  media::ReadPlusTypeId(*rig.device, media::DriveKind::DvdPlusRPlusRw, media::DiscKind::DvdPlusRw);
  media::ReadMinusMediaId(*rig.device, media::DriveKind::DvdPlusRPlusRw, media::DiscKind::DvdRam);
  EXPECT_EQ(rig.Cdbs(), (std::vector<std::string>{"DF 00 03 01 00 00 00 00 00 00 00 00",
                                                  "AD 00 00 00 00 00 00 00 00 24 00 00",
                                                  "AD 00 00 00 00 00 00 0E 00 32 00 00"}));
}

TEST(Readers, FailedReadsLeaveZeroedIds) {
  Rig rig = Rig::FromMachineText(R"({"drives": [
      {"root": "E:\\", "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN", "plus_tid": "R02"}},
      {"root": "F:\\", "address": {"port": 1}, "faults": [{"command": "0xAD"}],
       "disc": {"type": "dvd-r", "minus_mid": "MCC 01RG20"}}]})");
  rig.Select(0);
  ASSERT_EQ(media::IdText(media::ReadPlusMediaId(*rig.device, media::DriveKind::DvdDual,
                                                 media::DiscKind::DvdPlusR)),
            "RICOHJPN");
  ASSERT_EQ(media::IdText(media::ReadPlusTypeId(*rig.device, media::DriveKind::DvdDual,
                                                media::DiscKind::DvdPlusR)),
            "R02");
  rig.Select(1);
  EXPECT_EQ(
      media::ReadPlusMediaId(*rig.device, media::DriveKind::DvdDual, media::DiscKind::DvdPlusR),
      media::PlusMid{});
  EXPECT_EQ(
      media::ReadPlusTypeId(*rig.device, media::DriveKind::DvdDual, media::DiscKind::DvdPlusR),
      media::PlusTid{});
  EXPECT_EQ(
      media::ReadMinusMediaId(*rig.device, media::DriveKind::DvdDual, media::DiscKind::DvdMinusR),
      media::MinusMid{});
}

struct BuiltInCase {
  int drive;
  const char* name;
};

class BuiltInDvd : public ::testing::TestWithParam<BuiltInCase> {};

TEST_P(BuiltInDvd, ClassifiesAndSearches) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(GetParam().drive);
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, std::nullopt), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, BuiltInDvd,
    ::testing::Values(BuiltInCase{0, ""},  // DVD-ROM: the probe fails, the plus MID is empty
                      BuiltInCase{1, "Matsushita Electric Industrial Co., Ltd."},
                      BuiltInCase{2, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{3, "Taiyo Yuden Company Limited"},
                      BuiltInCase{4, "RiTEK Corporation"}, BuiltInCase{5, "Ricoh Company Limited"},
                      BuiltInCase{6, "Ricoh Company Limited"},
                      BuiltInCase{7, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{8, "Taiyo Yuden Company Limited"},
                      BuiltInCase{9, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{10, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{11, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{12, "Ricoh Company Limited"},  // DVD-ROM, plus branch
                      BuiltInCase{14, "Mitsubishi Chemical Corporation"},
                      BuiltInCase{15, "CMC Magnetics Corporation"}));

TEST(FindBuiltInManufacturer, DvdRomProbeChoosesTheBranch) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(12);
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::DvdRom,
                                           media::DriveKind::DvdDual),
            "Ricoh Company Limited");
  // Wait, probe, the plus MID from the physical format, then the TID: a disc kind other
  // than DVD+RW tries the vendor command first, which this drive does not know.
  EXPECT_EQ(rig.Cdbs(),
            (std::vector<std::string>{
                "00 00 00 00 00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 00 00 00 00 00",
                "AD 00 00 00 00 00 00 0E 00 32 00 00", "AD 00 00 00 00 00 00 00 00 24 00 00",
                "DF 00 03 01 00 00 00 00 00 00 00 00", "AD 00 00 00 00 00 00 00 00 24 00 00"}));
  // A DVD-R disc answers the probe: the minus branch.
  rig.Select(2);
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::DvdRom,
                                           media::DriveKind::DvdDual),
            "Mitsubishi Chemical Corporation");
}

TEST(FindBuiltInManufacturer, DvdRamInfoWithoutNulIsBoundedByItsWidth) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(1);
  media::MediaFacts facts;
  facts.discKind = media::DiscKind::DvdRam;
  facts.dvdRam.fill('Z');
  std::memcpy(facts.dvdRam.data() + 54, "MATSUSHITA", 10);  // the key ends with the record
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, facts),
            "Matsushita Electric Industrial Co., Ltd.");
  facts.dvdRam.fill('Z');
  std::memcpy(facts.dvdRam.data() + 55, "MATSUSHITA", 9);
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, facts), "");
  // The query's record, not the drive's: nothing is asked.
  EXPECT_TRUE(rig.Cdbs().empty());
}

// With what the query has read, the search asks the drive nothing more for a disc whose IDs
// the report shows, and reads the + IDs of a DVD-R DL, which the report shows as - IDs.
TEST(FindBuiltInManufacturer, TakesTheQuerysFacts) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(2);
  media::MediaFacts facts;
  facts.driveKind = media::DriveKind::DvdDual;
  facts.discKind = media::DiscKind::DvdMinusR;
  facts.minusMid = media::MinusMid{'M', 'C', 'C', ' ', '0', '1'};
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, facts), "Mitsubishi Chemical Corporation");
  facts.discKind = media::DiscKind::DvdPlusR;
  facts.plusMid = media::PlusMid{'R', 'I', 'C', 'O', 'H', 'J', 'P', 'N'};
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, facts), "Ricoh Company Limited");
  facts.discKind = media::DiscKind::CdR;
  facts.leadIn = 972666;
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, facts), "CMC Magnetics Corporation");
  EXPECT_TRUE(rig.Cdbs().empty());
  facts.discKind = media::DiscKind::DvdMinusRDl;
  facts.plusMid.reset();
  media::FindBuiltInManufacturer(*rig.device, facts);
  EXPECT_FALSE(rig.Cdbs().empty());
}

struct CapacityCase {
  const char* answer;
  uint32_t blocks;
};

class FormatCapacities : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(FormatCapacities, DescriptorPrecedence) {
  Rig rig = Rig::WithDrive(std::string(R"({"disc": {"type": "dvd+rw", "raw": {"23": ")") +
                           GetParam().answer + "\"}}}");
  EXPECT_EQ(media::ReadFormattedCapacity(*rig.device), GetParam().blocks);
  EXPECT_EQ(rig.Cdbs(), std::vector<std::string>{"23 00 00 00 00 00 00 00 60 00 00 00"});
}

// Header with list length, the current descriptor (blocks 1000), then formattable ones.
INSTANTIATE_TEST_SUITE_P(
    Lists, FormatCapacities,
    ::testing::Values(
        CapacityCase{"00 00 00 08 00 00 03 E8 01 00 08 00", 1000},  // unformatted
        CapacityCase{"00 00 00 18 00 00 03 E8 01 00 08 00 00 00 07 D0 98 00 08 00", 1000},
        CapacityCase{"00 00 00 18 00 00 03 E8 02 00 08 00 00 00 07 D0 00 00 08 00 "
                     "00 00 0B B8 98 00 08 00",
                     3000},  // 26h wins over 00h
        CapacityCase{"00 00 00 20 00 00 03 E8 02 00 08 00 00 00 07 D0 54 00 08 00 "
                     "00 00 0B B8 98 00 08 00 00 00 0F A0 40 00 08 00",
                     4000},  // 10h first
        CapacityCase{"00 00 00 10 00 00 03 E8 02 00 08 00 00 00 0B B8 98 00 08 00 "
                     "00 00 07 D0 54 00 08 00",
                     3000},  // the list holds one descriptor: the 15h one lies beyond it
        CapacityCase{"00 00 00 18 00 00 03 E8 02 00 08 00 00 00 07 D0 54 00 08 00", 2000},
        CapacityCase{"00 00 00 10 00 00 03 E8 02 00 08 00 00 00 07 D0 44 00 08 00", 1000},
        CapacityCase{"00 00 00 07 00 00 03 E8 03 00 08 00 00 00 07 D0 00 00 08 00", 1000},
        CapacityCase{"00 00 00 00 00 00 03 E8 02 00 08 00 00 00 07 D0 00 00 08 00", 1000}));

TEST(FormatCapacities, ListLongerThanTheBytesAskedFor) {
  // 31 descriptors listed; only those inside the 96 bytes asked for are looked at.
  std::string answer = "00 00 00 F8 00 00 03 E8 02 00 08 00";
  for (int k = 1; k <= 30; ++k) {
    answer += k == 11 ? " 00 00 0B B8 40 00 08 00" : " 00 00 07 D0 08 00 08 00";
  }
  Rig rig = Rig::WithDrive(std::string(R"({"disc": {"type": "dvd+rw", "raw": {"23": ")") + answer +
                           "\"}}}");
  EXPECT_EQ(media::ReadFormattedCapacity(*rig.device), 1000u);
}

TEST(FormatCapacities, FailureGivesZero) {
  Rig rig = Rig::WithDrive(R"({"disc": null})");
  EXPECT_EQ(media::ReadFormattedCapacity(*rig.device), 0u);
}

TEST(ReportLines, PlusIds) {
  media::PlusMid mid{};
  std::memcpy(mid.data(), "CMC MAG\x8A", 8);
  media::PlusTid tid{};
  std::memcpy(tid.data(),
              "R\x01"
              "2",
              3);
  EXPECT_EQ(media::PlusIdLines(mid, tid),
            (std::vector<std::string>{"          Disc MID = 43 4D 43 20 4D 41 47 8A (CMC MAG.)",
                                      "          Disc TID = 52 01 32 (R.2)"}));
  std::memcpy(mid.data(), "MCC\0\0\0\0\0", 8);
  EXPECT_EQ(media::PlusIdLines(mid, media::PlusTid{}),
            (std::vector<std::string>{"          Disc MID = 4D 43 43 00 00 00 00 00 (MCC.....)",
                                      "          Disc TID = 00 00 00 (...)"}));
  EXPECT_TRUE(media::PlusIdLines(media::PlusMid{}, tid).empty());
}

TEST(ReportLines, MinusIds) {
  media::MinusMid mid{};
  std::memcpy(mid.data(), "MCC 01RG20  ", 12);
  EXPECT_EQ(media::MinusIdLines(mid),
            (std::vector<std::string>{"          Disc MID = 4D 43 43 20 30 31 (MCC 01)",
                                      "          Disc TID = 52 47 32 30 20 20 (RG20  )"}));
  EXPECT_TRUE(media::MinusIdLines(media::MinusMid{}).empty());
}

TEST(ReportLines, DvdRamMidAndMsi) {
  std::array<uint8_t, 64> ram;
  ram.fill(0xFE);
  std::memcpy(ram.data(), "MATSUSHI", 8);
  std::memcpy(ram.data() + 48, "M01J3\xA0\x31\x36", 8);
  EXPECT_EQ(media::DvdRamIdLines(ram),
            (std::vector<std::string>{"          Disc MID = 4D 41 54 53 55 53 48 49 (MATSUSHI)",
                                      "          Disc MSI = 4D 30 31 4A 33 A0 31 36 (M01J3.16)"}));
  ram[0] = 0;
  EXPECT_TRUE(media::DvdRamIdLines(ram).empty());
}

TEST(ReportLines, DvdCapacityInFloatingPoint) {
  EXPECT_EQ(media::DvdCapacityLines(2295104),
            std::vector<std::string>{"  Nominal Capacity = 4.38GB"});
  EXPECT_EQ(media::DvdCapacityLines(4173824),
            std::vector<std::string>{"  Nominal Capacity = 7.96GB"});
  EXPECT_EQ(media::DvdCapacityLines(0xFFFFFFFF),
            std::vector<std::string>{"  Nominal Capacity = 8192.00GB"});
  EXPECT_TRUE(media::DvdCapacityLines(0).empty());
}

TEST(ReportLines, BdFieldsFromTheDiscInformation) {
  Rig rig = Rig::FromFixture("bd.json");
  rig.Select(2);
  media::DiscClass disc = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(disc.kind), 24);
  EXPECT_EQ(media::BdLines(disc.bd),
            (std::vector<std::string>{"          Disc MID = 56 45 52 42 41 54 (VERBAT)",
                                      "          Disc TID = 49 4D 65 (IMe)",
                                      "        Time Stamp = 00 00 ", "         PR Number = 01 "}));
  rig.Select(4);
  disc = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(disc.kind), 25);
  EXPECT_EQ(media::BdLines(disc.bd),
            (std::vector<std::string>{"          Disc MID = 4D 45 49 00 00 00 (MEI)",
                                      "          Disc TID = 54 30 32 (T02)",
                                      "        Time Stamp = 07 0B ", "         PR Number = 01 "}));
  rig.Select(1);
  disc = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(disc.kind), 26);
  EXPECT_TRUE(media::BdLines(disc.bd).empty());
}

TEST(MakePrintable, ReplacesBytesOutsideAscii) {
  const uint8_t bytes[] = {0x1F, 0x20, 0x7E, 0x7F, 0x8A, 'A', 0x00};
  EXPECT_EQ(media::MakePrintable(bytes, 7), ". ~..A.");
  EXPECT_EQ(media::MakePrintable(bytes, 3), ". ~");
}

}  // namespace
