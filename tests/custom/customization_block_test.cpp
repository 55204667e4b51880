#include "custom/customization_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "custom/block_locator.h"
#include "platform/files/input_file.h"
#include "test_block.h"

namespace {

using custom::CustomizationBlock;
using custom::ProgramBlock;
using custom::ViewOf;

// The marker's tail, rotated by 13 letters, so that this file does not carry a second copy
// of it.
std::string Rot13(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>('A' + (c - 'A' + 13) % 26);
  }
  return text;
}

const std::string kShippedRemark =
    "    Since VEXO CD-RW/COMBO/DVD Writer drive, Buffer Underrun\n"
    "Protection Feature is always activated. The new feature of\n"
    "QUILL-RATE is to check CD-R/RW,DVD-R/RW/RAM,DVD+R/RW media quality\n"
    "and set burning speed limit base on this. The burning speed\n"
    "will be limited by the \"QUILL-RATE Speed Limit\" shown on PC\n"
    "screen.\n"
    "\n"
    "    Once the Media Manufacturer is identified by the program,\n"
    "it means VEXO CD-RW drive will use dedicated writing strategy\n"
    "and running optimal power calibration to secure the burning\n"
    "quality.\n"
    "\n"
    "    All the Brand Name property that the program identified is\n"
    "belong to the original company, the result is just a reference\n"
    "with assumption, no commercial consideration and value for\n"
    "this.\n";

struct ShippedText {
  const char* field;
  size_t offset;
  size_t width;
  std::string (custom::CustomizationBlockView::*read)() const;
  std::string expected;
};

TEST(CustomizationBlock, ShippedTextFieldsSitAtTheirOffsetsAndAreZeroFilled) {
  const std::vector<ShippedText> fields = {
      {"build mode", 14, 12, &custom::CustomizationBlockView::BuildModeText, "BUILDMODE=0"},
      {"name", 26, 64, &custom::CustomizationBlockView::ProgramName, "Quill-Rate Media Check"},
      {"date", 90, 16, &custom::CustomizationBlockView::ReleaseDate, "2006/02/13"},
      {"major", 106, 4, &custom::CustomizationBlockView::MajorVersion, "3"},
      {"minor", 110, 4, &custom::CustomizationBlockView::MinorVersion, "1"},
      {"revision", 114, 4, &custom::CustomizationBlockView::Revision, "16"},
      {"models", 118, 128, &custom::CustomizationBlockView::DriveModels,
       "for VEXO CD-RW, COMBO, DVD Writer"},
      {"remark", 246, 1024, &custom::CustomizationBlockView::Remark, kShippedRemark},
  };
  const auto block = ProgramBlock();
  for (const ShippedText& f : fields) {
    SCOPED_TRACE(f.field);
    EXPECT_EQ((block.*f.read)(), f.expected);
    for (size_t i = 0; i < f.width; ++i) {
      const uint8_t want = i < f.expected.size() ? static_cast<uint8_t>(f.expected[i]) : 0;
      ASSERT_EQ(block.ByteAt(f.offset + i), want) << "field byte " << i;
    }
  }
}

TEST(CustomizationBlock, ShippedStepTextsAndFlag) {
  const auto block = ProgramBlock();
  EXPECT_EQ(block.StepText(1), "Select a target CD-RW/COMBO/DVD Writer");
  EXPECT_EQ(block.StepText(2),
            "Insert your CD-R/RW or DVD+R/+RW/-R/-RW/-RAM media into target drive, then click "
            "\"?\" button to see information about this media and what is the maximum burning "
            "speed that QUILL-RATE set base on the information");
  EXPECT_EQ(block.StepText(2).size(), 209u);
  EXPECT_EQ(block.StepText(3), "The information of this media as :");
  EXPECT_EQ(block.BuildModeFlag(), '0');
  EXPECT_FALSE(block.IsBuildMode());
  EXPECT_EQ(block.ByteAt(1270 + 63), 0);
  EXPECT_EQ(block.ByteAt(1334 + 209), 0);
}

TEST(CustomizationBlock, ShippedRemarkIs701CharactersInSixteenLines) {
  const std::string remark = ProgramBlock().Remark();
  EXPECT_EQ(remark.size(), 701u);
  EXPECT_EQ(std::count(remark.begin(), remark.end(), '\n'), 16);
  EXPECT_EQ(remark.back(), '\n');
}

TEST(CustomizationBlock, ShippedMarkerAndEmptyTables) {
  const auto block = ProgramBlock();
  const std::string marker = block.Marker();
  ASSERT_EQ(marker.size(), 13u);
  EXPECT_EQ(marker.substr(0, 2), "=@");
  EXPECT_EQ(Rot13(marker.substr(2)), "IBYZ'F GBBY");
  EXPECT_EQ(block.ByteAt(13), 0);
  EXPECT_EQ(custom::MarkerSearchText(), marker.substr(2));
  for (size_t offset = 1654; offset < sizeof(CustomizationBlock); ++offset) {
    ASSERT_EQ(block.ByteAt(offset), 0) << "table byte at block offset " << offset;
  }
  EXPECT_EQ(block.CdRows().size(), 500u);
  EXPECT_EQ(block.DvdRows().size(), 500u);
}

TEST(CustomizationBlock, MarkerOccursOnceInThisExecutable) {
  const auto contents = platform::ReadWholeFile("/proc/self/exe");
  ASSERT_TRUE(contents.ok());
  const std::vector<uint8_t>& image = contents.bytes;
  const auto hits = custom::FindMarkerHits(image, custom::MarkerSearchText());
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(image[hits[0] - 2], '=');
  EXPECT_EQ(image[hits[0] - 2 + 24], '0');
}

TEST(CustomizationBlock, FindMarkerHitsIgnoresLetterCase) {
  const std::string search = custom::MarkerSearchText();
  std::string lower = search;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::string text = "xx" + lower + "yy" + search + search.substr(0, 10);
  const std::vector<uint8_t> image(text.begin(), text.end());
  EXPECT_EQ(custom::FindMarkerHits(image, search), (std::vector<size_t>{2, 2 + search.size() + 2}));
}

TEST(CustomizationBlock, FindMarkerHitsAtTheEdgesAndAfterNearMisses) {
  const std::string s = custom::MarkerSearchText();
  std::string lowerFirst = s;
  lowerFirst[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  const std::string nearMiss = s.substr(0, s.size() - 1) + "#";
  struct Case {
    std::string text;
    std::vector<size_t> hits;
  };
  const std::vector<Case> cases = {
      {s, {0}},
      {"ab" + s, {2}},
      {s.substr(1), {}},
      {nearMiss + lowerFirst + nearMiss + s, {nearMiss.size(), 2 * nearMiss.size() + s.size()}},
      {std::string(1, s[0]) + lowerFirst + s[0], {1}},
      {std::string(), {}},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> image(c.text.begin(), c.text.end());
    EXPECT_EQ(custom::FindMarkerHits(image, s), c.hits) << c.text;
  }
}

TEST(CustomizationBlock, OnlyAOneAtOffset24MeansBuildMode) {
  auto block = custom_test::EmptyBlock();
  text::SetText(block->BuildModeText, "BUILDMODE=0");
  const std::vector<std::pair<char, bool>> cases = {
      {'1', true}, {'0', false}, {'2', false}, {'\0', false}, {'l', false}};
  for (const auto& [flag, buildMode] : cases) {
    block->BuildModeText[10] = flag;
    EXPECT_EQ(ViewOf(*block).BuildModeFlag(), flag);
    EXPECT_EQ(ViewOf(*block).IsBuildMode(), buildMode) << "flag " << int(flag);
  }
}

TEST(CustomizationBlock, TextsStopAtTheirFieldEvenWithoutNul) {
  auto block = custom_test::EmptyBlock();
  const std::string name63(63, 'N');
  text::SetText(block->ProgramName, name63 + "overflow");
  EXPECT_EQ(ViewOf(*block).ProgramName(), name63);
  EXPECT_EQ(block->ProgramName[63], '\0');
  // A field without any NUL must not run into the next one.
  block->MajorVersion.fill('9');
  block->MinorVersion.fill('8');
  EXPECT_EQ(ViewOf(*block).MajorVersion(), "9999");
  EXPECT_EQ(ViewOf(*block).MinorVersion(), "8888");
}

TEST(CustomizationBlock, RowsAreReadFromTheirTables) {
  auto block = custom_test::EmptyBlock();
  block->CdTable[0] = custom_test::CdRow("972666", "795974", "First CD");
  block->CdTable[499] = custom_test::CdRow("1", "2", "Last CD");
  block->DvdTable[0] = custom_test::DvdRow("RICOHJPNR02", "First DVD");
  block->DvdTable[499] = custom_test::DvdRow("MCC 01RG20", "Last DVD");
  const auto cd = ViewOf(*block).CdRows();
  const auto dvd = ViewOf(*block).DvdRows();
  EXPECT_EQ(custom::DisplayTextOf(cd[0]), "First CD");
  EXPECT_EQ(custom::DisplayTextOf(cd[499]), "Last CD");
  EXPECT_EQ(custom::DisplayTextOf(dvd[0]), "First DVD");
  EXPECT_EQ(custom::DisplayTextOf(dvd[499]), "Last DVD");
  EXPECT_EQ(dvd[499].MediaIdKey[0], 'M');
}

}  // namespace
