// CD identification: ATIP times, their display parts, material, capacity and the built-in
// lead-in table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "media/atip.h"
#include "media/manufacturer_search.h"
#include "media/manufacturer_tables.h"
#include "media/report_lines.h"
#include "support/media_rig.h"

namespace {

using media_test::Rig;

struct CdRow {
  uint32_t bound;
  const char* name;
};

// The lead-in ranges as the product documents them, row by row.
const CdRow kDocumentedCdRows[] = {
    {964310, "CMC Magnetics Corporation"},
    {964320, "Prodisc Technology Inc."},
    {964330, "RiTEK Corporation"},
    {970000, "Moser Baer India Limited"},
    {970010, "TDK Corporation"},
    {970310, "Sony Corporation"},
    {971000, "RiTEK Corporation"},
    {971500, "TDK Corporation"},
    {971510, "RiTEK Corporation"},
    {971520, "Mitsubishi Chemical Corporation"},
    {971530, "Nan Ya Plastics Corporation"},
    {971600, "RiTEK,PNY,MB India,Gigastorage"},
    {971620, "SHENZHEN SG&SAST DIGITAL OPTICAL DISCS CO.,LTD."},
    {971630, "Grand Advance Technology Ltd."},
    {971700, "Moser Baer India Limited"},
    {971710, "Sky Media Manufacturing SA"},
    {971800, "RiTEK,PNY,MB India,Gigastorage"},
    {971810, "Wealth Fair Investment Limited"},
    {971860, "Taroko International Co., Ltd."},
    {972100, "Intersonic SA"},
    {972110, "CONDOR CD"},
    {972120, "E-Top Navigator Techonolgy Inc."},
    {972130, "Bestdisc Technology Corporation"},
    {972140, "Optical Disc Manufacturing Equipment"},
    {972150, "Sound Sound Multi-Media Development Limited"},
    {972200, "Woongjin Media corp."},
    {972210, "Seantram Technology Inc."},
    {972220, "Advanced Digital Media S.r.l."},
    {972230, "Eximpo"},
    {972240, "CIS Technology Inc."},
    {972250, "Hong Kong Digital Technology Co., Ltd."},
    {972260, "Daxon Inc."},
    {972300, "Matsushita Electric Industrial Co., Ltd."},
    {972310, "Doremi Media Co.,Ltd."},
    {972320, "Nacar Media srl"},
    {972330, "Audio Distributors Co., Ltd."},
    {972340, "Victor Company of Japan, Limited"},
    {972350, "OPTROM.INC."},
    {972360, "Customer Pressing Oosterhout"},
    {972400, "Taiyo Yuden Company Limited"},
    {972410, "SONY Corporation"},
    {972420, "Computer Support Italcard s.r.l."},
    {972430, "Unitech Japan Inc."},
    {972439, "Ramedia"},
    {972440, "kdg mediatech AG"},
    {972450, "Guann Yinn Co.,Ltd."},
    {972460, "Harmonic Hall Optical Disc Ltd."},
    {972500, "TDK Corporation"},
    {972501, "MPO"},
    {972520, "Hitachi Maxell, Ltd."},
    {972530, "Infodisc Technology Co., Ltd."},
    {972540, "Vivastar AG."},
    {972550, "AMS Technology Inc."},
    {972560, "Xcitek Inc."},
    {972600, "Fornet International Pte. Ltd."},
    {972610, "Postech Corporation"},
    {972620, "SKC Co., Ltd."},
    {972630, "Optical Disc Corporation"},
    {972640, "FUJI Photo Film Co., Ltd."},
    {972650, "Lead Data Inc."},
    {972660, "CMC Magnetics Corporation"},
    {972700, "Ricoh Company Limited"},
    {972701, "Digital Storage Technology Co., Ltd."},
    {972710, "Plasmon Data Systems Ltd."},
    {972720, "Princo Corporation"},
    {972730, "Pioneer Video Corporation"},
    {972740, "Eastman Kodak Company"},
    {972750, "Mitsui Chemicals, Inc."},
    {972760, "Ricoh Company Limited"},
    {972800, "Opti.Me.S. S.p.A."},
    {972810, "Gigastorage Corporation"},
    {972820, "Multi Media Masters & Machinary SA"},
    {972830, "Auvistar Industry Co.,Ltd."},
    {972840, "King Pro Mediatek Inc."},
    {972850, "DELPHI TECHNOLOGY INC."},
    {972860, "Friendly CD-Tek Co."},
    {972900, "Taeil Media Co.,Ltd."},
    {972910, "Vanguard Disc Inc."},
    {972920, "Unidisc Technology Co., Ltd."},
    {972930, "Hile Optical Disc Technology Corp."},
    {972940, "Viva Magnetics Limited"},
    {972950, "General Magnetics Ld"},
    {973010, "CDA Datentrager Albrechts GmbH"},
    {973100, "RiTEK Corporation"},
    {973130, "Grand Advance Technology Ltd."},
    {973200, "TDK Corporation"},
    {973210, "Prodisc Technology Inc."},
    {973420, "Mitsubishi Chemicals Corporation"},
    {974220, "Advanced Digital Media S.r.l."},
    {974500, "Fornet International Pte. Ltd."},
    {974510, "Unitech Japan Inc."},
    {974520, "Daxon Technology, Inc."},
    {974540, "CIS Technology Inc."},
    {974550, "Guann Yinn Co.,Ltd."},
    {974560, "Xcitek Inc."},
    {974600, "Taiyo Yuden Company Limited"},
    {974610, "Hong Kong Digital Technology Co., Ltd."},
    {974620, "Multi Media Masters & Machinary SA"},
    {974630, "Computer Support Italcard s.r.l."},
    {974640, "FUJI Photo Film Co., Ltd."},
    {974650, "Auvistar Industry Co.,Ltd."},
    {974660, "CMC Magnetics Corporation"},
    {974710, "Hitachi Maxell, Ltd."},
    {974720, "Princo Corporation"},
    {974740, "Postech Corporation"},
    {974750, "RiTEK Corporation"},
    {974760, "Prodisc Technology Inc."},
    {974800, "Ricoh Company Limited"},
    {974810, "Eastman Kodak Company"},
    {974820, "Plasmon Data Systems Ltd."},
    {974830, "Pioneer Video Corporation"},
    {974840, "Digital Storage Technology Co., Ltd."},
    {974850, "Mitsubishi Chemicals Corporation"},
    {974860, "Lead Data Inc."},
    {974900, "TDK Corporation"},
    {974910, "Gigastorage Corporation"},
    {974920, "King Pro Mediatek Inc."},
    {974930, "Opti.Me.S. S.p.A."},
    {974940, "Victor Company of Japan, Limited"},
    {974950, "Sky Media Manufacturing SA"},
    {974960, "Matsushita Electric Industrial Co., Ltd."},
    {975000, "CONDOR CD"},
    {975010, "Vanguard Disc Inc."},
    {975020, "Mitsubishi Chemicals Corporation"},
    {975030, "CDA Datentrager Albrechts GmbH"},
    {975110, "Grand Advance Technology Ltd."},
    {975120, "Infodisc Technology Co., Ltd."},
    {975150, "Hile Optical Disc Technology Corp."},
    {995974, "Unknown Manufacturer"},
};

TEST(CdManufacturerTable, MatchesTheDocumentedRows) {
  ASSERT_EQ(media::CdManufacturerTable.size(), std::size(kDocumentedCdRows));
  for (size_t i = 0; i < std::size(kDocumentedCdRows); ++i) {
    SCOPED_TRACE(i);
    const media::CdManufacturerRecord& record = media::CdManufacturerTable[i];
    const uint32_t bound = kDocumentedCdRows[i].bound;
    // The bound is stored little-endian in the record's first four bytes.
    const uint8_t expectedBound[4] = {static_cast<uint8_t>(bound), static_cast<uint8_t>(bound >> 8),
                                      static_cast<uint8_t>(bound >> 16),
                                      static_cast<uint8_t>(bound >> 24)};
    EXPECT_EQ(std::memcmp(record.bound, expectedBound, 4), 0);
    char expectedName[48] = {};
    std::strncpy(expectedName, kDocumentedCdRows[i].name, sizeof expectedName - 1);
    EXPECT_EQ(std::memcmp(record.name, expectedName, 48), 0) << record.name;
  }
}

struct LeadInCase {
  uint32_t leadIn;
  const char* name;
};

class CdManufacturer : public ::testing::TestWithParam<LeadInCase> {};

TEST_P(CdManufacturer, FoundByRange) {
  EXPECT_EQ(media::FindCdManufacturer(GetParam().leadIn), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CdManufacturer,
    ::testing::Values(LeadInCase{0, "Unknown Manufacturer"},
                      LeadInCase{964309, "Unknown Manufacturer"},
                      LeadInCase{964310, "CMC Magnetics Corporation"},
                      LeadInCase{972438, "Unitech Japan Inc."}, LeadInCase{972439, "Ramedia"},
                      LeadInCase{972501, "MPO"}, LeadInCase{972666, "CMC Magnetics Corporation"},
                      LeadInCase{972699, "CMC Magnetics Corporation"},
                      LeadInCase{972401, "Taiyo Yuden Company Limited"},
                      LeadInCase{975150, "Hile Optical Disc Technology Corp."},
                      LeadInCase{995973, "Hile Optical Disc Technology Corp."},
                      LeadInCase{995974, "Unknown Manufacturer"},
                      LeadInCase{1002666, "Unknown Manufacturer"},  // searched in full
                      LeadInCase{2575755, "Unknown Manufacturer"}));

struct SplitCase {
  uint32_t number;
  const char* shown;
};

class AtipSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(AtipSplit, PadsOrCutsToSixDigits) {
  EXPECT_EQ(media::FormatAtipTime(GetParam().number), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, AtipSplit,
                         ::testing::Values(SplitCase{972666, "97:26:66"}, SplitCase{0, "00:00:00"},
                                           SplitCase{12345, "01:23:45"},
                                           SplitCase{795974, "79:59:74"},
                                           SplitCase{1002666, "10:02:66"},
                                           SplitCase{2575755, "25:75:75"}));

TEST(AtipTimeToBlocks, SeventyFiveFramesASecondLessTheGap) {
  EXPECT_EQ(media::AtipTimeToBlocks(79, 59, 74), 359849);
  EXPECT_EQ(media::AtipTimeToBlocks(74, 59, 74), 337349);
  EXPECT_EQ(media::AtipTimeToBlocks(0, 0, 0), -150);
}

struct CdLinesCase {
  media::DiscKind kind;
  uint32_t leadIn, leadOut;
  std::vector<std::string> lines;
};

class CdLines : public ::testing::TestWithParam<CdLinesCase> {};

TEST_P(CdLines, MaterialTimesAndCapacity) {
  const CdLinesCase& c = GetParam();
  EXPECT_EQ(
      (std::vector<std::string>{media::MaterialLine(c.kind, c.leadIn), media::LeadInLine(c.leadIn),
                                media::LeadOutLine(c.leadOut), media::CdCapacityLine(c.leadOut)}),
      c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Discs, CdLines,
    ::testing::Values(
        CdLinesCase{media::DiscKind::CdRType1,
                    972666,
                    795974,
                    {"          Material = Phthalocyanine", "           Lead In = 97:26:66",
                     "          Lead Out = 79:59:74", "  Nominal Capacity = 702.83MB"}},
        CdLinesCase{media::DiscKind::CdR,
                    972501,
                    745974,
                    {"          Material = Cyanine", "           Lead In = 97:25:01",
                     "          Lead Out = 74:59:74", "  Nominal Capacity = 658.88MB"}},
        CdLinesCase{media::DiscKind::CdRwHighSpeed,
                    972666,
                    795974,
                    {"          Material = Phase Change", "           Lead In = 97:26:66",
                     "          Lead Out = 79:59:74", "  Nominal Capacity = 702.83MB"}},
        CdLinesCase{media::DiscKind::CdRom,
                    0,
                    0,
                    {"          Material = Cyanine", "           Lead In = 00:00:00",
                     "          Lead Out = 00:00:00", "  Nominal Capacity = -0.29MB"}},
        CdLinesCase{media::DiscKind::Unknown,
                    972439,
                    795974,
                    {"          Material = Phthalocyanine", "           Lead In = 97:24:39",
                     "          Lead Out = 79:59:74", "  Nominal Capacity = 702.83MB"}},
        CdLinesCase{media::DiscKind::CdRTypeAMinus,
                    1002665,
                    795974,
                    {"          Material = Phthalocyanine", "           Lead In = 10:02:66",
                     "          Lead Out = 79:59:74", "  Nominal Capacity = 702.83MB"}}));

struct ReadCase {
  const char* disc;
  const char* faults;
  uint32_t leadIn, leadOut;
  std::vector<std::string> opcodes;
};

class ReadAtipTime : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAtipTime, FromAtipOrDiscInformation) {
  const ReadCase& c = GetParam();
  Rig rig = Rig::WithDrive(std::string(R"({"writes": ["cd-r"], "faults": [)") + c.faults +
                           R"(], "disc": )" + c.disc + "}");
  EXPECT_EQ(media::ReadAtipTime(*rig.device, media::AtipTime::LeadIn), c.leadIn);
  EXPECT_EQ(rig.Opcodes(), c.opcodes);
  EXPECT_EQ(media::ReadAtipTime(*rig.device, media::AtipTime::LeadOut), c.leadOut);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ReadAtipTime,
    ::testing::Values(
        ReadCase{R"({"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74"})",
                 "",
                 972666,
                 795974,
                 {"43"}},
        ReadCase{R"({"type": "cd-r", "atip": false, "lead_in": "97:24:01",
                     "lead_out": "74:59:74"})",
                 "",
                 972401,
                 745974,
                 {"43", "51"}},
        ReadCase{R"({"type": "cd-r", "lead_in": "97:22:10", "lead_out": "79:59:74"})",
                 R"({"command": "0x43", "sense": [5, "0x24"]})",
                 972210,
                 795974,
                 {"43", "51"}},
        ReadCase{R"({"type": "cd-r", "atip": false, "disc_info_lead_in": "255:255:255",
                     "disc_info_lead_out": "255:255:255"})",
                 "",
                 2575755,
                 2575755,
                 {"43", "51"}},
        ReadCase{R"({"type": "cd-r", "lead_in": "97:26:66"})",
                 R"({"command": "0x43", "sense": [5, "0x24"]},
                    {"command": "0x51", "sense": [5, "0x24"]})",
                 0,
                 0,
                 {"43", "51"}},
        ReadCase{R"({"type": "cd-r", "lead_in": "100:26:66", "lead_out": "79:59:74"})",
                 "",
                 1002666,
                 795974,
                 {"43"}},
        // The table of contents where the ATIP was asked for (format read from byte 9).
        ReadCase{R"({"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74", "raw": {"43":
                     "00 12 01 01 00 14 01 00 00 00 00 00 00 16 AA 00 00 00 09 60 00 00 00 00"}})",
                 "",
                 972666,
                 795974,
                 {"43", "51"}}));

TEST(ReadAtipTime, CommandBlocks) {
  Rig rig = Rig::WithDrive(R"({"writes": ["cd-r"], "disc": {"type": "cd-r", "atip": false}})");
  media::ReadAtipTime(*rig.device, media::AtipTime::LeadIn);
  EXPECT_EQ(rig.Cdbs(), (std::vector<std::string>{"43 02 04 00 00 00 00 01 00 00 00 00",
                                                  "51 00 00 00 00 00 00 01 00 00 00 00"}));
}

TEST(FindBuiltInManufacturer, CdBranchReadsTheLeadIn) {
  Rig rig = Rig::FromFixture("cd_r.json");
  rig.Select(1);
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, std::nullopt), "CMC Magnetics Corporation");
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::CdRType1),
            "CMC Magnetics Corporation");
  rig.ClearLog();
  // Unknown disc and no disc give nothing, without reading the ATIP.
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::Unknown), "");
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::None), "");
  for (const std::string& opcode : rig.Opcodes()) EXPECT_EQ(opcode, "00");
  rig.Select(13);  // no readable times: lead-in 0
  EXPECT_EQ(media::FindBuiltInManufacturer(*rig.device, media::DiscKind::CdR),
            "Unknown Manufacturer");
}

}  // namespace
