#include "custom/about_text.h"

#include <gtest/gtest.h>

#include "test_block.h"

namespace {

TEST(ComposeAboutText, ShippedBlock) {
  const std::string text = custom::ComposeAboutText(custom::ProgramBlock());
  const std::string head =
      "Release Date : 2006/02/13\n"
      "     Version : 3.1.16\n"
      "Drive Models : for VEXO CD-RW, COMBO, DVD Writer\n"
      "\n"
      "                            Remarks : \n";
  ASSERT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.substr(head.size()), custom::ProgramBlock().Remark());
  EXPECT_EQ(text.size(), head.size() + 701);
}

TEST(ComposeAboutText, EmptyBlockKeepsTheHeadings) {
  const auto block = custom_test::EmptyBlock();
  EXPECT_EQ(custom::ComposeAboutText(custom::ViewOf(*block)),
            "Release Date : \n"
            "     Version : ..\n"
            "Drive Models : \n"
            "\n"
            "                            Remarks : \n");
}

TEST(ComposeAboutText, OemValuesAndAFullRemark) {
  auto block = custom_test::EmptyBlock();
  text::SetText(block->ReleaseDate, "2024/01/31");
  text::SetText(block->MajorVersion, "10");
  text::SetText(block->MinorVersion, "0");
  text::SetText(block->Revision, "999");
  text::SetText(block->DriveModels, "for OEM drives");
  const std::string remark(1023, 'r');
  text::SetText(block->Remark, remark + "cut");
  EXPECT_EQ(custom::ComposeAboutText(custom::ViewOf(*block)),
            "Release Date : 2024/01/31\n"
            "     Version : 10.0.999\n"
            "Drive Models : for OEM drives\n"
            "\n"
            "                            Remarks : \n" +
                remark);
}

}  // namespace
