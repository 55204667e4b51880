// LightScribe support, disc side and the label-side lines.
#include "media/lightscribe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/media_rig.h"

namespace {

using media_test::Rig;

TEST(GetLightScribeState, EveryDriveOfTheLightScribeMachine) {
  Rig rig = Rig::FromFixture("lightscribe.json");
  // No LightScribe disc, data side, label side twice, page failing, flags 04h alone, no
  // feature, another feature code first.
  const int32_t expected[] = {1, 2, 3, 3, 4, 1, 0, 0};
  for (int drive = 0; drive < 8; ++drive) {
    rig.Select(drive);
    EXPECT_EQ(media::GetLightScribeState(*rig.device), expected[drive]) << drive;
  }
}

TEST(GetLightScribeState, CommandBlocks) {
  Rig rig = Rig::FromFixture("lightscribe.json");
  rig.Select(1);
  media::GetLightScribeState(*rig.device);
  EXPECT_EQ(rig.Cdbs(), (std::vector<std::string>{"46 02 FF 33 00 00 00 00 10 00 00 00",
                                                  "5A 08 32 00 00 00 00 01 00 00 00 00"}));
  rig.Select(6);  // without the feature the page is not asked for
  media::GetLightScribeState(*rig.device);
  EXPECT_EQ(rig.Cdbs(), std::vector<std::string>{"46 02 FF 33 00 00 00 00 10 00 00 00"});
}

TEST(GetLightScribeState, FailedConfigurationQueryMeansNoLightScribe) {
  Rig rig = Rig::WithDrive(
      R"({"lightscribe": {"flags": 12}, "faults": [{"command": "0x46", "sense": [5, "0x24"]}]})");
  EXPECT_EQ(media::GetLightScribeState(*rig.device), 0);
}

TEST(LabelSideLines, FromThePageResponse) {
  Rig rig = Rig::FromFixture("lightscribe.json");
  rig.Select(2);
  ASSERT_EQ(media::GetLightScribeState(*rig.device), 3);
  EXPECT_EQ(
      media::LabelSideLines(*rig.device),
      (std::vector<std::string>{"         Disc Type = (LightScribe Label Side)",
                                "       Spoke Count = 400", " Track Shift Count = 7",
                                " Outer MID = 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 8A ",
                                " Inner MID = 40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F ",
                                "             50 51 52 53 54 55 56 57 58 59 5A 5B 5C 5D 5E 5F ",
                                "             60 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D "}));
}

TEST(LabelSideLines, AllZeroMids) {
  Rig rig = Rig::FromFixture("lightscribe.json");
  rig.Select(3);
  ASSERT_EQ(media::GetLightScribeState(*rig.device), 3);
  const std::vector<std::string> lines = media::LabelSideLines(*rig.device);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[1], "       Spoke Count = 400");
  EXPECT_EQ(lines[2], " Track Shift Count = 0");
  std::string zeros15, zeros16, zeros14;
  for (int i = 0; i < 16; ++i) {
    if (i < 15) zeros15 += "00 ";
    if (i < 14) zeros14 += "00 ";
    zeros16 += "00 ";
  }
  EXPECT_EQ(lines[3], " Outer MID = " + zeros15);
  EXPECT_EQ(lines[4], " Inner MID = " + zeros16);
  EXPECT_EQ(lines[5], std::string(13, ' ') + zeros16);
  EXPECT_EQ(lines[6], std::string(13, ' ') + zeros14);
}

}  // namespace
