// No reader result may depend on bytes the drive did not send: every reader, fed short
// answers right after a command that filled the response buffer with FFh, must give what
// it gives after a clean start.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "media/atip.h"
#include "media/disc_kind.h"
#include "media/drive_kind.h"
#include "media/lightscribe.h"
#include "media/manufacturer_search.h"
#include "media/media_id.h"
#include "support/media_rig.h"
#include "text/format_c.h"

namespace {

using media_test::Rig;

template <size_t N>
std::string Hex(const std::array<uint8_t, N>& bytes) {
  std::string text;
  for (uint8_t b : bytes) text += text::FormatC("%02X", b);
  return text;
}

// Each reader's results as one text, so two runs compare in one assertion.
const std::vector<std::pair<const char*, std::function<std::string(device::AtapiDevice&)>>>
    kReaders = {
        {"DetectDriveKind",
         [](device::AtapiDevice& d) {
           return std::to_string(media::Code(media::DetectDriveKind(d)));
         }},
        {"CanWriteCdr",
         [](device::AtapiDevice& d) { return std::to_string(media::CanWriteCdr(d)); }},
        {"DetectDiscKind",
         [](device::AtapiDevice& d) {
           const media::DiscClass disc = media::ClassifyDisc(d);
           return std::to_string(media::Code(disc.kind)) + " " + Hex(disc.bd) + " " +
                  Hex(disc.dvdRam);
         }},
        {"ReadAtipTime",
         [](device::AtapiDevice& d) {
           return std::to_string(media::ReadAtipTime(d, media::AtipTime::LeadIn));
         }},
        {"ReadAtipTime lead-out",
         [](device::AtapiDevice& d) {
           return std::to_string(media::ReadAtipTime(d, media::AtipTime::LeadOut));
         }},
        {"ReadPlusMediaId",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadPlusMediaId(d, media::DriveKind::DvdSuperMulti,
                                             media::DiscKind::DvdPlusR));
         }},
        {"ReadPlusMediaId DVD+RW",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadPlusMediaId(d, media::DriveKind::DvdSuperMulti,
                                             media::DiscKind::DvdPlusRw));
         }},
        {"ReadPlusTypeId",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadPlusTypeId(d, media::DriveKind::DvdSuperMulti,
                                            media::DiscKind::DvdPlusR));
         }},
        {"ReadPlusTypeId DVD+RW",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadPlusTypeId(d, media::DriveKind::DvdSuperMulti,
                                            media::DiscKind::DvdPlusRw));
         }},
        {"ReadMinusMediaId",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadMinusMediaId(d, media::DriveKind::DvdSuperMulti,
                                              media::DiscKind::DvdMinusR));
         }},
        {"ReadMinusMediaId DVD-R DL",
         [](device::AtapiDevice& d) {
           return Hex(media::ReadMinusMediaId(d, media::DriveKind::DvdSuperMulti,
                                              media::DiscKind::DvdMinusRDl));
         }},
        {"ReadFormattedCapacity",
         [](device::AtapiDevice& d) { return std::to_string(media::ReadFormattedCapacity(d)); }},
        {"GetLightScribeState",
         [](device::AtapiDevice& d) {
           const int32_t state = media::GetLightScribeState(d);
           std::string text = std::to_string(state);
           if (state == media::kLightScribeLabelSide) {
             for (const std::string& line : media::LabelSideLines(d)) text += "|" + line;
           }
           return text;
         }},
        {"FindBuiltInManufacturer",
         [](device::AtapiDevice& d) { return media::FindBuiltInManufacturer(d, std::nullopt); }},
};

// The drives answer every command with at most `length` bytes; command A8h fills the
// buffer with FFh.
std::string ShortDrive(const std::string& disc, uint32_t length) {
  std::string faults;
  for (const char* opcode : {"0x12", "0x5A", "0x46", "0xAD", "0x43", "0x51", "0x23", "0xDF"}) {
    faults += text::FormatC(R"(%s{"command": "%s", "kind": "short", "length": %u})",
                            faults.empty() ? "" : ", ", opcode, length);
  }
  return std::string(R"({"reads": ["cd-r", "cd-rw", "dvd-rom"], "writes": ["cd-r", "cd-rw"],
      "profiles": ["0x11", "0x14", "0x1B", "0x1A", "0x12"], "vendor_media_id": true,
      "lightscribe": {"flags": 12, "spoke_count": 400, "outer_mid": "hex:FFFF",
                      "inner_mid": "hex:8A8A"},
      "raw": {"A8": )") +
         media_test::RawFill(1024, 0xFF) + R"(}, "faults": [)" + faults + R"(], "disc": )" + disc +
         "}";
}

struct StaleCase {
  const char* disc;
  uint32_t length;
};

class StaleResponse : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleResponse, ReadersIgnoreBytesNotSent) {
  const std::string drive = ShortDrive(GetParam().disc, GetParam().length);
  for (const auto& [name, reader] : kReaders) {
    SCOPED_TRACE(name);
    Rig clean = Rig::WithDrive(drive);
    const std::string expected = reader(*clean.device);
    Rig stale = Rig::WithDrive(drive);
    stale.FillResponseBuffer();
    ASSERT_EQ(stale.device->Answer().At(1023), 0xFF);
    EXPECT_EQ(reader(*stale.device), expected);
  }
}

constexpr const char* kDiscs[] = {
    R"({"type": "cd-r", "lead_in": "97:26:66", "lead_out": "79:59:74", "atip_sub_type": 2})",
    R"({"type": "cd-r", "atip": false, "lead_in": "97:24:01"})",
    R"({"type": "dvd-ram", "ram_info": "MATSUSHITA", "capacity_descriptor_type": 2,
        "formattable": [{"type": 38, "blocks": 2295104}]})",
    R"({"type": "dvd+r", "plus_mid": "RICOHJPN", "plus_tid": "R02", "capacity_blocks": 2295104})",
    R"({"type": "dvd-r-dl", "minus_mid": "MKM 01RD30  "})",
    R"({"type": "bd-r", "bd_mid": "VERBAT", "bd_tid": "IMe", "layers": 2})",
    "null"};

std::vector<StaleCase> AllCases() {
  std::vector<StaleCase> cases;
  for (const char* disc : kDiscs) {
    for (uint32_t length : {0u, 2u, 4u, 9u, 12u, 17u, 24u, 36u, 100u, 560u}) {
      cases.push_back({disc, length});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(ShortAnswers, StaleResponse, ::testing::ValuesIn(AllCases()));

TEST(StaleResponse, ProfileWalkStopsAtTheBytesAskedFor) {
  // Sixty profiles make the list's additional length 240: the walk would reach past the
  // 248 bytes asked for, where an earlier answer left DVD-RAM profile bytes.
  std::string profiles;
  for (int i = 0; i < 60; ++i) profiles += i == 0 ? "\"0x1B\"" : ", \"0x08\"";
  Rig rig =
      Rig::WithDrive(R"({"reads": ["dvd-rom"], "writes": ["cd-r", "cd-rw"], "profiles": [)" +
                     profiles + R"(], "raw": {"A8": )" + media_test::RawFill(1024, 0x12) + "}}");
  rig.FillResponseBuffer();
  EXPECT_EQ(media::Code(media::DetectDriveKind(*rig.device)), 6);
}

}  // namespace
