// Each disc type a fixture can name: the name reads back as its type, the commands the
// simulated drive answers follow the type's family, and a field a fixture leaves out takes
// the type's value while a field it gives wins.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/disc_type.h"
#include "support/media_rig.h"

namespace {

using media_test::Rig;
using sim::DiscFamily;
using sim::DiscTypeTraits;
using sim::Recording;

std::string DiscOnly(std::string_view name, const std::string& fields = "") {
  return R"({"disc": {"type": ")" + std::string(name) + "\"" + fields + "}}";
}

TEST(SimDiscType, EveryNameReadsBackAsItsType) {
  for (const DiscTypeTraits& traits : sim::kDiscTypes) {
    SCOPED_TRACE(std::string(traits.name));
    EXPECT_EQ(sim::DiscTypeNamed(traits.name), traits.type);
    const sim::Machine machine =
        sim::LoadMachineFromText(R"({"drives": [)" + DiscOnly(traits.name) + "]}");
    ASSERT_TRUE(machine.drives.at(0).disc.has_value());
    EXPECT_EQ(machine.drives[0].disc->type, traits.type);
  }
}

TEST(SimDiscType, NearNamesAreNotTypes) {
  for (const char* name :
       {"", "CD-R", "cd-r ", " cd-r", "dvd+r-DL", "dvd", "bd", "hd-dvd", "cd_r"}) {
    EXPECT_FALSE(sim::DiscTypeNamed(name).has_value()) << '"' << name << '"';
  }
}

// The DVD structures, the BD disc information and the ATIP are each answered for the
// discs that carry them and refused as an incompatible medium for every other disc.
TEST(SimDiscType, StructuresFollowTheFamily) {
  for (const DiscTypeTraits& traits : sim::kDiscTypes) {
    SCOPED_TRACE(std::string(traits.name));
    Rig rig = Rig::WithDrive(DiscOnly(traits.name));
    const bool dvd = traits.family == DiscFamily::Dvd;
    const bool bd = traits.family == DiscFamily::Bd;
    const bool atip = traits.family == DiscFamily::Cd && traits.recording != Recording::Pressed;
    EXPECT_EQ(rig.device->ReadDiscStructure(0, 0, 0x00, 2052, 0, 0), dvd);
    EXPECT_EQ(rig.device->ReadDiscStructureMedia(0, 1, 0, 0x00, 116, 0, 0), bd);
    EXPECT_EQ(rig.device->ReadTocPmaAtip(1, 4, 0, 256, 0), atip);
    if (!atip) {
      EXPECT_EQ(rig.device->Asc(), 0x30);  // incompatible medium
    }
  }
}

TEST(SimDiscType, LeftOutFieldsTakeTheTypesValues) {
  for (const DiscTypeTraits& traits : sim::kDiscTypes) {
    SCOPED_TRACE(std::string(traits.name));
    Rig rig = Rig::WithDrive(DiscOnly(traits.name));
    ASSERT_TRUE(rig.device->GetConfiguration(0, 0, 8, 0));
    EXPECT_EQ(rig.device->Answer().BE16(6), traits.profile);
    if (traits.family == DiscFamily::Dvd) {
      ASSERT_TRUE(rig.device->ReadDiscStructure(0, 0, 0x00, 2052, 0, 0));
      EXPECT_EQ(rig.device->Answer().At(4) >> 4, traits.bookType);
      EXPECT_EQ((rig.device->Answer().At(6) >> 5) + 1, traits.layers);
    }
  }
}

TEST(SimDiscType, GivenFieldsWinOverTheTypesValues) {
  Rig dl = Rig::WithDrive(DiscOnly("dvd+r-dl", R"(, "layers": 1, "book_type": 10,
      "current_profile": "0x1B")"));
  ASSERT_TRUE(dl.device->ReadDiscStructure(0, 0, 0x00, 2052, 0, 0));
  EXPECT_EQ(dl.device->Answer().At(4) >> 4, 10);
  EXPECT_EQ(dl.device->Answer().At(6) >> 5, 0);
  ASSERT_TRUE(dl.device->GetConfiguration(0, 0, 8, 0));
  EXPECT_EQ(dl.device->Answer().BE16(6), 0x001B);

  Rig bd = Rig::WithDrive(DiscOnly("bd-r", R"(, "bd_type": "BDW")"));
  ASSERT_TRUE(bd.device->ReadDiscStructureMedia(0, 1, 0, 0x00, 116, 0, 0));
  EXPECT_EQ(bd.device->Answer().At(12), 'B');
  EXPECT_EQ(bd.device->Answer().At(14), 'W');
}

}  // namespace
