// The kind name tables and the layer rule.
#include "media/kinds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Expected record: the name, blanks up to the padded width, NULs to the record's end.
template <size_t N>
std::string Record(const std::string& name, size_t paddedTo) {
  std::string record = name;
  if (record.size() < paddedTo) record.append(paddedTo - record.size(), ' ');
  record.append(N - record.size(), '\0');
  return record;
}

TEST(KindNames, DriveKindRecordsArePaddedToNineCharacters) {
  const char* names[] = {"UNKNOWN",
                         "CD-ROM",
                         "DVD-ROM",
                         "CD-RW",
                         "COMBO",
                         "DVD-R",
                         "DVD+R",
                         "DVD+RW",
                         "DVD-RW",
                         "DVD+R/+RW",
                         "DVD-R/-RW",
                         "DVD DUAL",
                         "DVD Super Multigen",
                         "BD-ROM",
                         "BD-R",
                         "BD-R DUAL",
                         "BD-Recordable"};
  const auto& table = media::DriveKindNames();
  ASSERT_EQ(table.size(), std::size(names));
  for (size_t kind = 0; kind < table.size(); ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(std::string(table[kind].data(), 19), Record<19>(names[kind], 9));
    EXPECT_EQ(media::DriveKindName(static_cast<uint8_t>(kind)), table[kind].data());
  }
  EXPECT_STREQ(media::DriveKindName(4), "COMBO    ");
  EXPECT_STREQ(media::DriveKindName(17), "");
}

TEST(KindNames, DiscKindRecordsArePaddedToTwentyOneCharactersAndTwoNuls) {
  const char* names[] = {"NO MEDIA",
                         "UNKNOWN",
                         "CD-ROM",
                         "CDR",
                         "CDR",
                         "CDR (A-)",
                         "CDR (A+)",
                         "CDR (B-)",
                         "CDR (B+)",
                         "CDR (C-)",
                         "CDR (C+)",
                         "NORMAL CD-RW",
                         "HIGH SPEED CD-RW",
                         "ULTRA SPEED CD-RW 24X",
                         "ULTRA SPEED CD-RW 32X",
                         "DVD-ROM",
                         "DVD-RAM",
                         "DVD-R",
                         "DVD-RW",
                         "DVD+RW",
                         "DVD+R",
                         "DVD+R DL",
                         "DVD-R DL",
                         "BD-ROM",
                         "BD-R",
                         "BD-RE",
                         "BD-ROM DL",
                         "BD-R DL",
                         "BD-RE DL"};
  const auto& table = media::DiscKindNames();
  ASSERT_EQ(table.size(), std::size(names));
  for (size_t kind = 0; kind < table.size(); ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(std::string(table[kind].data(), 23), Record<23>(names[kind], 21));
  }
  EXPECT_STREQ(media::DiscKindName(0), "NO MEDIA             ");
  EXPECT_STREQ(media::DiscKindName(29), "");
}

TEST(LayerRule, OnlyDualLayerKindsHaveDlAtPositionSixOrLater) {
  for (int kind = 0; kind <= 28; ++kind) {
    const bool expected = kind == 21 || kind == 22 || kind == 26 || kind == 27 || kind == 28;
    EXPECT_EQ(media::IsDoubleLayer(static_cast<uint8_t>(kind)), expected) << kind;
  }
}

TEST(KindFamilies, CdDvdAndBdRanges) {
  EXPECT_FALSE(media::IsCdFamily(0));
  EXPECT_TRUE(media::IsCdFamily(1));
  EXPECT_TRUE(media::IsCdFamily(14));
  EXPECT_TRUE(media::IsDvdFamily(15));
  EXPECT_TRUE(media::IsDvdFamily(22));
  EXPECT_FALSE(media::IsDvdFamily(23));
  EXPECT_TRUE(media::IsBdFamily(23));
  EXPECT_TRUE(media::IsBdFamily(28));
  EXPECT_FALSE(media::IsBdFamily(29));
}

}  // namespace
