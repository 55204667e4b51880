// Disc classification: physical format, BD disc information, ATIP and current profile.
#include "media/disc_kind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/drive_kind.h"
#include "support/media_rig.h"
#include "text/format_c.h"

namespace {

using media_test::Rig;

struct FixtureCase {
  const char* fixture;
  int drive;
  uint8_t kind;
};

class FixtureDiscs : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(FixtureDiscs, ClassifiedAsExpected) {
  Rig rig = Rig::FromFixture(GetParam().fixture);
  rig.Select(GetParam().drive);
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    AllDiscModels, FixtureDiscs,
    ::testing::Values(FixtureCase{"cd_r.json", 0, 3}, FixtureCase{"cd_r.json", 1, 4},
                      FixtureCase{"cd_r.json", 2, 5}, FixtureCase{"cd_r.json", 3, 6},
                      FixtureCase{"cd_r.json", 4, 7}, FixtureCase{"cd_r.json", 5, 8},
                      FixtureCase{"cd_r.json", 6, 9}, FixtureCase{"cd_r.json", 7, 10},
                      FixtureCase{"cd_r.json", 8, 2},   // pressed CD: current profile 0008h
                      FixtureCase{"cd_r.json", 9, 5},   // ATIP data length 2: current profile 0009h
                      FixtureCase{"cd_r.json", 10, 5},  // ATIP read fails
                      FixtureCase{"cd_rw.json", 0, 11}, FixtureCase{"cd_rw.json", 1, 12},
                      FixtureCase{"cd_rw.json", 2, 13}, FixtureCase{"cd_rw.json", 3, 14},
                      FixtureCase{"cd_rw.json", 4, 11},  // sub-type 5: current profile 000Ah
                      FixtureCase{"cd_rw.json", 5, 2},   // CD-ROM drive
                      FixtureCase{"cd_rw.json", 6, 12}, FixtureCase{"dvd.json", 0, 15},
                      FixtureCase{"dvd.json", 1, 16}, FixtureCase{"dvd.json", 2, 17},
                      FixtureCase{"dvd.json", 4, 18}, FixtureCase{"dvd.json", 5, 19},
                      FixtureCase{"dvd.json", 6, 20}, FixtureCase{"dvd.json", 9, 21},
                      FixtureCase{"dvd.json", 10, 22}, FixtureCase{"dvd.json", 11, 22},
                      FixtureCase{"dvd.json", 12, 15},  // book type 0 and current profile 0010h
                      FixtureCase{"bd.json", 0, 23}, FixtureCase{"bd.json", 1, 26},
                      FixtureCase{"bd.json", 2, 24}, FixtureCase{"bd.json", 3, 27},
                      FixtureCase{"bd.json", 4, 25}, FixtureCase{"bd.json", 5, 28},
                      FixtureCase{"demo.json", 5, 0}));

TEST(DetectDiscKind, NoMediumAfterTheWait) {
  Rig rig = Rig::WithDrive(R"({"writes": ["cd-r"], "becoming_ready_seconds": 5})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 0);
  EXPECT_GE(rig.system->Clock().NowSeconds(), 5.0);
}

TEST(DetectDiscKind, CdRomDriveReadsNothingFromTheDisc) {
  Rig rig =
      Rig::WithDrive(R"({"profiles": [8], "disc": {"type": "dvd+r", "plus_mid": "RICOHJPN"}})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 2);
  for (const std::string& opcode : rig.Opcodes()) {
    EXPECT_TRUE(opcode == "00" || opcode == "5A") << opcode;
  }
  rig.ClearLog();
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::CdRom)), 2);
  for (const std::string& opcode : rig.Opcodes()) EXPECT_EQ(opcode, "00");
}

constexpr const char* kWriter =
    R"("reads": ["cd-r", "cd-rw", "dvd-rom", "dvd-r"], "writes": ["cd-r", "cd-rw", "dvd-r"],
       "profiles": ["0x11", "0x14", "0x1B", "0x1A"])";

Rig WriterWithDisc(const std::string& disc, const std::string& extra = "") {
  return Rig::WithDrive(std::string("{") + kWriter + extra + R"(, "disc": )" + disc + "}");
}

TEST(DetectDiscKind, CdrCommandSequence) {
  Rig rig = WriterWithDisc(R"({"type": "cd-r", "lead_in": "97:26:66", "atip_sub_type": 1})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 4);
  const std::vector<std::string> cdbs = rig.Cdbs();
  // The wait (two TEST UNIT READY), the drive classification, then the disc sources.
  const std::vector<std::string> tail(cdbs.end() - 3, cdbs.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"AD 00 00 00 00 00 00 00 02 68 00 00",
                                            "AD 01 00 00 00 00 00 00 00 74 00 00",
                                            "43 00 04 00 00 00 00 00 18 00 00 00"}));
  EXPECT_EQ(rig.Opcodes(),
            (std::vector<std::string>{"00", "00", "00", "5A", "46", "AD", "AD", "43"}));
}

TEST(DetectDiscKind, KnownDriveKindSkipsTheDriveClassification) {
  Rig rig = WriterWithDisc(R"({"type": "dvd+r"})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::DvdDual)), 20);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"00", "00", "AD", "46"}));
  EXPECT_EQ(rig.Cdbs().back(), "46 00 00 00 00 00 00 00 CC 00 00 00");
}

std::string AtipAnswer(uint8_t discTypeByte) {
  return "00 1A 00 00 D0 00 " + text::FormatC("%02X", discTypeByte) +
         " 00 61 1A 42 00 4F 3B 4A 00 00 00 00 00 00 00 00 00 00 00 00 00";
}

struct AtipCase {
  uint8_t byte2;
  uint16_t currentProfile;
  uint8_t kind;
};

class AtipDiscType : public ::testing::TestWithParam<AtipCase> {};

TEST_P(AtipDiscType, GivesKind) {
  const AtipCase& c = GetParam();
  Rig rig = WriterWithDisc(
      text::FormatC(R"({"type": "cd-rw", "current_profile": %u, "raw": {"43": "%s"}})",
                    c.currentProfile, AtipAnswer(c.byte2).c_str()));
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Byte2, AtipDiscType,
    ::testing::Values(AtipCase{0x90, 0x000A, 5},    // CD-R sub-type 2
                      AtipCase{0x80, 0x000A, 3},    // CD-R sub-type 0
                      AtipCase{0xB8, 0x000A, 10},   // CD-R sub-type 7
                      AtipCase{0xD8, 0x0009, 14},   // CD-RW sub-type 3 returns at once
                      AtipCase{0xC0, 0x0009, 11},   // CD-RW sub-type 0
                      AtipCase{0xE8, 0x000A, 11},   // CD-RW sub-type 5: the profile decides
                      AtipCase{0xE8, 0x0099, 1}));  // ... and an unknown profile leaves 1

// A drive that takes the format of READ TOC/PMA/ATIP from byte 9, as early ATAPI drives
// and the emulated drive of a virtual machine do, answers an ATIP request with the table
// of contents of a one-track disc.
constexpr const char* kTocForAtip =
    "00 12 01 01 00 14 01 00 00 00 00 00 00 16 AA 00 00 00 09 60 00 00 00 00";

// Only a table of contents is refused: an answer without the marker bits but also without
// track numbers in its header is still the ATIP, and byte 2 alone decides.
TEST(DetectDiscKind, AtipWithoutMarkerBitsIsStillAnAtip) {
  Rig rig = WriterWithDisc(
      R"({"type": "cd-rw", "current_profile": 8, "raw": {"43": "00 1A 00 00 50 00 50 00 61 1A 42 00 4F 3B 4A 00 00 00 00 00 00 00 00 00"}})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 13);
}

TEST(DetectDiscKind, TableOfContentsForTheAtipIsNoAtip) {
  Rig rig =
      WriterWithDisc(std::string(R"({"type": "cd-rom", "current_profile": 8, "raw": {"43": ")") +
                     kTocForAtip + R"("}})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 2);
}

TEST(DetectDiscKind, AtipWithoutDescriptorFallsToTheProfile) {
  Rig rig = WriterWithDisc(R"({"type": "cd-r", "atip": false, "current_profile": 8})");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), 2);
}

struct BookCase {
  uint8_t bookType;
  uint16_t currentProfile;
  uint8_t kind;
};

class BookType : public ::testing::TestWithParam<BookCase> {};

TEST_P(BookType, WithCurrentProfile) {
  const BookCase& c = GetParam();
  Rig rig =
      WriterWithDisc(text::FormatC(R"({"type": "dvd-r", "book_type": %u, "current_profile": %u})",
                                   c.bookType, c.currentProfile));
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device)), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Override, BookType,
    ::testing::Values(BookCase{0, 0xFFFF, 15}, BookCase{1, 0xFFFF, 16}, BookCase{2, 0xFFFF, 17},
                      BookCase{3, 0xFFFF, 18}, BookCase{9, 0xFFFF, 19}, BookCase{10, 0xFFFF, 20},
                      BookCase{14, 0xFFFF, 21}, BookCase{5, 0xFFFF, 1},
                      BookCase{0, 0x0011, 17},  // the profile overrides the book type
                      BookCase{2, 0x0015, 22},  // DVD-R DL only from the profile
                      BookCase{2, 0x0033, 22}, BookCase{2, 0x0016, 22}, BookCase{2, 0x0013, 18},
                      BookCase{10, 0x002B, 21}, BookCase{9, 0x001B, 20}, BookCase{0, 0x0012, 16},
                      BookCase{0, 0x0008, 2}, BookCase{0, 0x0009, 5}, BookCase{0, 0x000A, 11},
                      BookCase{0, 0x001A, 19}, BookCase{0, 0x0010, 15}));

TEST(DetectDiscKind, FailedProfileQueryKeepsTheBookType) {
  Rig rig = WriterWithDisc(R"({"type": "dvd+r"})", R"(, "faults": [{"command": "0x46", "skip": 2,
                           "sense": [5, "0x24"]}])");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::DvdDual)), 20);
}

TEST(DetectDiscKind, ShortPhysicalFormatGoesStraightToTheProfile) {
  Rig rig = WriterWithDisc(R"({"type": "dvd+r"})",
                           R"(, "faults": [{"command": "0xAD", "kind": "short", "length": 3}])");
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::DvdDual)), 20);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"00", "00", "AD", "46"}));
}

TEST(ClassifyDisc, DvdRamRecordOnlyFromADvdRam) {
  Rig rig = Rig::FromFixture("dvd.json");
  rig.Select(1);
  const media::DiscClass ram = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(ram.kind), 16);
  EXPECT_EQ(std::string(ram.dvdRam.begin(), ram.dvdRam.begin() + 11), "MATSUSHITA ");
  EXPECT_EQ(std::string(ram.dvdRam.begin() + 48, ram.dvdRam.begin() + 56), "M01J3 16");
  EXPECT_EQ(ram.dvdRam[11], 0);
  EXPECT_EQ(media::ReadDvdRamRecord(*rig.device), ram.dvdRam);
  rig.Select(6);
  const media::DiscClass plus = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(plus.kind), 20);
  EXPECT_EQ(plus.dvdRam, media::DvdRamRecord{});
  EXPECT_EQ(plus.bd, media::BdDiscRecord{});
}

TEST(ClassifyDisc, DvdRamKnownOnlyFromItsProfileHasAnEmptyRecord) {
  Rig rig = WriterWithDisc(R"({"type": "dvd-r", "book_type": 2, "current_profile": 18})");
  const media::DiscClass disc = media::ClassifyDisc(*rig.device);
  ASSERT_EQ(media::Code(disc.kind), 16);
  EXPECT_EQ(disc.dvdRam, media::DvdRamRecord{});
}

TEST(DetectDiscKind, UnknownDriveKindIsAskedAgainAfterTheWait) {
  Rig rig = WriterWithDisc(R"({"type": "cd-r"})");
  // Given as unknown, the drive is classified again: a writer reads the disc's ATIP.
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::Unknown)), 3);
  const auto opcodes = rig.Opcodes();
  EXPECT_NE(std::find(opcodes.begin(), opcodes.end(), "5A"), opcodes.end());
}

std::string BdAnswer(const char* type, uint8_t layers) {
  std::string hex = "00 72 00 00 44 49 01 01 00 00 00 00";
  for (int i = 0; i < 3; ++i) hex += text::FormatC(" %02X", unsigned(type[i]));
  hex += text::FormatC(" 01 %02X", layers);
  for (int at = 17; at < 104; ++at) hex += " 00";
  hex += " 56 45 52 42 41 54 49 4D 65 11 22 33";  // MID, TID, time stamp, revision
  return hex;
}

struct BdCase {
  const char* type;
  uint8_t layers;
  uint8_t kind;
  bool fields;
};

class BdDiscInformation : public ::testing::TestWithParam<BdCase> {};

TEST_P(BdDiscInformation, FillsTheRecord) {
  const BdCase& c = GetParam();
  Rig rig = WriterWithDisc(text::FormatC(R"({"type": "bd-r", "raw": {"AD/00": "%s"}})",
                                         BdAnswer(c.type, c.layers).c_str()));
  const media::DiscClass disc = media::ClassifyDisc(*rig.device, media::DriveKind::BdRecordable);
  EXPECT_EQ(media::Code(disc.kind), c.kind);
  const auto& info = disc.bd;
  std::array<uint8_t, 17> expected{};
  std::copy(c.type, c.type + 3, expected.begin());
  if (c.fields) {
    const uint8_t fields[] = {'V', 'E', 'R', 'B', 'A', 'T', 'I', 'M', 'e', 0x11, 0x22, 0x33};
    std::copy(std::begin(fields), std::end(fields), expected.begin() + 4);
  }
  expected[16] = c.layers >= 0x20 ? 1 : 0;
  EXPECT_EQ(info, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Identifiers, BdDiscInformation,
    ::testing::Values(BdCase{"BDO", 0x11, 23, false}, BdCase{"BDO", 0x20, 26, false},
                      BdCase{"BDR", 0x1F, 24, true}, BdCase{"BDR", 0x21, 27, true},
                      BdCase{"BDW", 0x10, 25, true}, BdCase{"BDW", 0x20, 28, true},
                      BdCase{"XYZ", 0x10, 1, false}));

TEST(DetectDiscKind, UnknownBdIdentifierSkipsTheAtip) {
  Rig rig = WriterWithDisc(
      text::FormatC(R"({"type": "bd-r", "raw": {"AD/00": "%s"}})", BdAnswer("XYZ", 0x10).c_str()));
  EXPECT_EQ(media::Code(media::DetectDiscKind(*rig.device, media::DriveKind::BdRecordable)), 1);
  EXPECT_EQ(rig.Opcodes(), (std::vector<std::string>{"00", "00", "AD", "AD", "46"}));
}

}  // namespace
