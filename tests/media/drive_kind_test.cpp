// Drive classification: capability bits, profile weights, the describe step.
#include "media/drive_kind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/media_rig.h"

namespace {

using media_test::Rig;

std::string WriterWithProfiles(const std::string& profiles) {
  return R"({"reads": ["cd-r", "cd-rw", "dvd-rom"], "writes": ["cd-r", "cd-rw"], "profiles": [)" +
         profiles + "]}";
}

struct SumCase {
  const char* profiles;
  uint8_t kind;
};

class ProfileSum : public ::testing::TestWithParam<SumCase> {};

TEST_P(ProfileSum, MapsToDriveKind) {
  Rig rig = Rig::WithDrive(WriterWithProfiles(GetParam().profiles));
  EXPECT_EQ(media::Code(media::DetectDriveKind(*rig.device)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Weights, ProfileSum,
    ::testing::Values(
        SumCase{"8, 16", 4},                                              // sum 0
        SumCase{"\"0x11\"", 5},                                           // 1
        SumCase{"\"0x14\"", 8},                                           // 2
        SumCase{"\"0x13\", \"0x14\"", 8},                                 // DVD-RW counted once
        SumCase{"\"0x11\", \"0x13\", \"0x14\"", 10},                      // 3
        SumCase{"\"0x1B\"", 6},                                           // 4
        SumCase{"\"0x1A\"", 4},                                           // 8: COMBO, never DVD+RW
        SumCase{"\"0x12\"", 4},                                           // 9
        SumCase{"\"0x1A\", \"0x1B\"", 9},                                 // 12
        SumCase{"\"0x1A\", \"0x1B\", \"0x11\"", 4},                       // 13
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\"", 11},            // 15
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x12\"", 12},  // 24
        SumCase{"\"0x11\", \"0x14\", \"0x13\", \"0x1B\", \"0x1A\", \"0x12\"", 12},
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x40\"", 13},            // 40
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x40\", \"0x41\"", 14},  // 66
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x40\", \"0x41\", \"0x42\"", 15},
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x40\", \"0x41\", \"0x42\", \"0x43\"",
                16},  // 121
        // With DVD-RAM the BD sums are not in the table.
        SumCase{"\"0x11\", \"0x14\", \"0x1B\", \"0x1A\", \"0x12\", \"0x40\", \"0x41\", \"0x42\", "
                "\"0x43\"",
                4},
        SumCase{"\"0x40\"", 4},            // 25
        SumCase{"\"0x11\", \"0x11\"", 8},  // repeated weights add each time: 2
        SumCase{"\"0x0211\"", 5}));        // only the low byte of the profile counts

struct CapabilityCase {
  const char* reads;
  const char* writes;
  uint8_t kind;
};

class Capabilities : public ::testing::TestWithParam<CapabilityCase> {};

TEST_P(Capabilities, DecideBeforeTheProfileList) {
  const CapabilityCase& c = GetParam();
  Rig rig = Rig::WithDrive(std::string(R"({"reads": [)") + c.reads + R"(], "writes": [)" +
                           c.writes + R"(], "profiles": ["0x11"]})");
  EXPECT_EQ(media::Code(media::DetectDriveKind(*rig.device)), c.kind);
}

INSTANTIATE_TEST_SUITE_P(Bits, Capabilities,
                         ::testing::Values(CapabilityCase{"\"cd-r\"", "", 1},
                                           CapabilityCase{"\"cd-r\", \"cd-rw\"", "\"cd-rw\"", 1},
                                           CapabilityCase{"\"dvd-rom\"", "", 2},
                                           CapabilityCase{"\"dvd-rom\"", "\"cd-r\"", 2},
                                           CapabilityCase{"\"cd-r\"", "\"cd-r\", \"cd-rw\"", 3},
                                           CapabilityCase{"\"cd-r\"", "\"cd-r\"",
                                                          5},  // CD-R alone: profile list
                                           CapabilityCase{"\"dvd-rom\"", "\"cd-rw\"", 5}));

TEST(DetectDriveKind, SendsUnitAttentionClearsThenPage2AThenProfileList) {
  Rig rig = Rig::WithDrive(
      R"({"reads": ["dvd-rom"], "writes": ["cd-r", "cd-rw"], "profiles": ["0x1B"],
          "faults": [{"command": 0, "sense": [6, "0x28"], "skip": 2, "times": 2}]})");
  EXPECT_EQ(media::Code(media::DetectDriveKind(*rig.device)), 6);
  const std::vector<std::string> expected{
      "00 00 00 00 00 00 00 00 00 00 00 00", "00 00 00 00 00 00 00 00 00 00 00 00",
      "00 00 00 00 00 00 00 00 00 00 00 00", "5A 00 2A 00 00 00 00 00 2A 00 00 00",
      "46 02 00 00 00 00 00 00 F8 00 00 00"};
  EXPECT_EQ(rig.Cdbs(), expected);
}

TEST(DetectDriveKind, FailingPageIsUnknownAndFailingProfileListIsCombo) {
  Rig noPage = Rig::WithDrive(
      R"({"writes": ["cd-r"], "faults": [{"command": "0x5A", "sense": [5, "0x24"]}]})");
  EXPECT_EQ(media::Code(media::DetectDriveKind(*noPage.device)), 0);
  EXPECT_FALSE(media::CanWriteCdr(*noPage.device));

  Rig noList = Rig::WithDrive(
      R"({"reads": ["dvd-rom"], "writes": ["cd-r", "cd-rw"], "profiles": ["0x1B"],
          "faults": [{"command": "0x46", "sense": [5, "0x24"]}]})");
  EXPECT_EQ(media::Code(media::DetectDriveKind(*noList.device)), 4);
}

TEST(CanWriteCdr, ReadsTheCdrWriteBitOfPage2A) {
  Rig writer = Rig::WithDrive(R"({"writes": ["cd-r"]})");
  EXPECT_TRUE(media::CanWriteCdr(*writer.device));
  EXPECT_EQ(writer.Cdbs(), std::vector<std::string>{"5A 00 2A 00 00 00 00 00 2A 00 00 00"});
  Rig rwOnly = Rig::WithDrive(R"({"writes": ["cd-rw"]})");
  EXPECT_FALSE(media::CanWriteCdr(*rwOnly.device));
}

TEST(CreateDevice, DescribesEveryListedDrive) {
  Rig rig = Rig::FromFixture("drive_kinds.json");
  const struct {
    uint8_t kind;
    bool writes;
  } expected[] = {{0, false}, {1, false}, {2, false}, {3, true}, {4, true},  {4, true},
                  {5, true},  {6, true},  {8, true},  {9, true}, {10, true}, {11, true},
                  {12, true}, {13, true}, {14, true}, {15, true}};
  ASSERT_EQ(rig.device->GetDriveCount(), 16);
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(i);
    const device::DriveEntry* entry = rig.device->GetDriveEntry(static_cast<unsigned>(i));
    EXPECT_EQ(entry->Kind, expected[i].kind);
    EXPECT_STREQ(entry->KindName, media::DriveKindName(media::DriveKind{expected[i].kind}));
    EXPECT_EQ(entry->WritesCdR, expected[i].writes);
  }
}

TEST(CreateDevice, DemoMachineDriveKinds) {
  Rig rig = Rig::FromFixture("demo.json");
  const uint8_t expected[] = {2, 12, 11, 10, 16, 9};
  for (unsigned i = 0; i < 6; ++i) EXPECT_EQ(rig.device->GetDriveEntry(i)->Kind, expected[i]);
}

}  // namespace
