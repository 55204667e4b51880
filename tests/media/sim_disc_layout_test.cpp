// The simulated drive answers disc commands in the MMC layouts the readers rely on.
#include <gtest/gtest.h>

#include <string>

#include "support/media_rig.h"

namespace {

using media_test::Rig;

std::string Bytes(const device::AtapiDevice& device, size_t at, size_t n) {
  std::string text;
  for (size_t i = 0; i < n; ++i) text += static_cast<char>(device.Answer().At(at + i));
  return text;
}

TEST(SimDiscLayout, PhysicalFormatWithAdipIds) {
  Rig rig = Rig::WithDrive(
      R"({"disc": {"type": "dvd+r-dl", "plus_mid": "MKM", "plus_tid": "003", "plus_revision": 1}})");
  ASSERT_TRUE(rig.device->ReadDiscStructure(0, 0, 0x00, 2052, 0, 0));
  EXPECT_EQ(rig.device->Answer().BE16(0), 2050);
  EXPECT_EQ(rig.device->Answer().At(4) >> 4, 14);      // book type DVD+R DL
  EXPECT_EQ(rig.device->Answer().At(6), 0x22);         // two layers, recordable
  EXPECT_EQ(rig.device->Answer().BE32(8), 0x030000u);  // data area start
  EXPECT_EQ(Bytes(*rig.device, 23, 8), std::string("MKM\0\0\0\0\0", 8));
  EXPECT_EQ(Bytes(*rig.device, 31, 3), "003");
  EXPECT_EQ(rig.device->Answer().At(34), 1);
}

TEST(SimDiscLayout, PreRecordedInformationFields) {
  Rig rig = Rig::WithDrive(R"({"disc": {"type": "dvd-r", "minus_mid": "MCC 01RG20  "}})");
  ASSERT_TRUE(rig.device->ReadDiscStructure(0, 0, 0x0E, 48, 0, 0));
  EXPECT_EQ(rig.device->Answer().BE16(0), 42);
  EXPECT_EQ(rig.device->Answer().At(20), 0x03);
  EXPECT_EQ(Bytes(*rig.device, 21, 6), "MCC 01");
  EXPECT_EQ(rig.device->Answer().At(28), 0x04);
  EXPECT_EQ(Bytes(*rig.device, 29, 6), "RG20  ");
}

TEST(SimDiscLayout, BdDiscInformationUnit) {
  Rig rig = Rig::WithDrive(R"({"disc": {"type": "bd-r", "layers": 2, "bd_mid": "VERBAT",
      "bd_tid": "IMe", "bd_time_stamp": "hex:08 05", "bd_revision": 1}})");
  ASSERT_TRUE(rig.device->ReadDiscStructureMedia(0, 1, 0, 0x00, 116, 0, 0));
  EXPECT_EQ(rig.device->Answer().BE16(0), 114);
  EXPECT_EQ(Bytes(*rig.device, 4, 2), "DI");
  EXPECT_EQ(Bytes(*rig.device, 12, 3), "BDR");
  EXPECT_EQ(rig.device->Answer().At(16), 0x20);
  EXPECT_EQ(Bytes(*rig.device, 104, 12), "VERBATIMe\x08\x05\x01");
}

TEST(SimDiscLayout, AtipDescriptor) {
  Rig rig = Rig::WithDrive(R"({"disc": {"type": "cd-rw", "lead_in": "97:26:66",
      "lead_out": "79:59:74", "atip_sub_type": 3}})");
  ASSERT_TRUE(rig.device->ReadTocPmaAtip(1, 4, 0, 256, 0));
  EXPECT_EQ(rig.device->BytesTransferred(), 28u);
  EXPECT_EQ(rig.device->Answer().BE16(0), 0x001A);
  EXPECT_EQ(rig.device->Answer().At(6), 0xD8);
  EXPECT_EQ(Bytes(*rig.device, 8, 3), "\x61\x1A\x42");
  EXPECT_EQ(Bytes(*rig.device, 12, 3), "\x4F\x3B\x4A");
}

TEST(SimDiscLayout, FormatCapacitiesAndCurrentProfile) {
  Rig rig = Rig::WithDrive(R"({"profiles": ["0x1A", "0x1B"], "disc": {"type": "dvd+rw",
      "capacity_blocks": 2295104, "capacity_descriptor_type": 2,
      "formattable": [{"type": "0x26", "blocks": 2295104}]}})");
  ASSERT_TRUE(rig.device->ReadFormatCapacities(96, 0));
  EXPECT_EQ(rig.device->Answer().At(3), 16);
  EXPECT_EQ(rig.device->Answer().BE32(4), 2295104u);
  EXPECT_EQ(rig.device->Answer().At(8), 0x02);
  EXPECT_EQ(rig.device->Answer().At(16), 0x26 << 2);
  ASSERT_TRUE(rig.device->GetConfiguration(0, 0, 204, 0));
  EXPECT_EQ(rig.device->Answer().BE16(6), 0x001A);
}

}  // namespace
