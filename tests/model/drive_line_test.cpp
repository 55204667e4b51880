// The drive selector's lines: the format of one line and the drive field of its root.
#include "app/model/drive_line.h"

#include <gtest/gtest.h>

#include <cstring>

#include "text/fixed_text.h"

namespace {

device::DriveEntry Entry(const char* root, int16_t adapter, const char* vendor, const char* product,
                         const char* revision) {
  device::DriveEntry e;
  text::SetText(e.RootPath, root);
  e.Adapter = adapter;
  std::string display = std::string(vendor) + std::string(8 - std::strlen(vendor), ' ') + product;
  text::SetText(e.DisplayName, display);
  text::SetText(e.Revision, revision);
  return e;
}

TEST(DriveLine, FormatsAdapterBusTargetLunRootNameAndRevision) {
  struct Case {
    const char* root;
    int16_t adapter;
    const char* product;
    const char* revision;
    const char* line;
  };
  for (const Case& c : {
           Case{"E:\\", 1, "DVD-RW TEST", "1.00", " 1-0-0-0 E:     VEXO    DVD-RW TEST 1.00"},
           Case{"sr0", 1, "DVD-RW TEST", "1.00", " 1-0-0-0 sr0      VEXO    DVD-RW TEST 1.00"},
           // A full identity stays apart from the device name, never from a drive letter.
           Case{"sr0", 1, "DVD-RW TEST 16XY", "1.00", " 1-0-0-0 sr0 VEXO    DVD-RW TEST 16XY 1.00"},
           Case{"E:\\", 1, "DVD-RW TEST 16XY", "1.00", " 1-0-0-0 E:VEXO    DVD-RW TEST 16XY 1.00"},
           Case{"", 1, "DVD-RW TEST", "1.00", " 1-0-0-0      VEXO    DVD-RW TEST 1.00"},
           Case{"E:\\", 12, "BD", "2", "12-0-0-0 E:              VEXO    BD    2"},
       }) {
    EXPECT_EQ(app::model::DriveComboLine(Entry(c.root, c.adapter, "VEXO", c.product, c.revision)),
              c.line)
        << c.root;
  }
}

TEST(DriveLine, DriveFieldDropsTheTrailingBackslash) {
  EXPECT_EQ(app::model::DriveField("E:\\"), "E:");
  EXPECT_EQ(app::model::DriveField("E:"), "E:");
  EXPECT_EQ(app::model::DriveField("sr0"), "sr0");
  EXPECT_EQ(app::model::DriveField("sr12"), "sr12");
  EXPECT_EQ(app::model::DriveField(""), "");
}

}  // namespace
