// The vendor feature page: status reads, setters that write the page back as read, the
// labels and buttons, and the command sequence of one press.
#include <gtest/gtest.h>

#include "features/feature_switches.h"
#include "features/feature_view.h"
#include "support/sim_machines.h"

namespace {

using device::AtapiDevice;
using features::Feature;
using testing_machines::MachineFromJson;
using testing_machines::OneDrive;

std::unique_ptr<sim::SimSystem> VendorDrive(const std::string& page, const std::string& more = "") {
  return MachineFromJson(OneDrive(R"(, "vendor_page": )" + page + more));
}

std::string Show(const features::FeatureView& v) {
  return v.support + "/" + v.state + "/" + (v.buttonEnabled ? "on" : "off") + "/" + v.buttonCaption;
}

TEST(FeatureView, LabelsAndButtonsForEachStatus) {
  struct Case {
    Feature feature;
    uint8_t status;
    const char* shown;
  };
  for (const Case& c : {
           Case{Feature::QuillrateDisable, 0x00, "NO/N/A/off/Enable Quillrate"},
           Case{Feature::QuillrateDisable, 0x10, "NO/N/A/off/Enable Quillrate"},
           Case{Feature::QuillrateDisable, 0x11, "YES/YES/on/Disable Quillrate"},
           Case{Feature::QuillrateDisable, 0x01, "YES/NO/on/Enable Quillrate"},
           Case{Feature::Trimwave, 0x11, "YES/YES/on/Disable Trimwave"},
           Case{Feature::Trimwave, 0x01, "YES/NO/on/Enable Trimwave"},
           Case{Feature::Pacelift, 0x11, "YES/YES/on/Disable Pacelift"},
           Case{Feature::Pacelift, 0x00, "NO/N/A/off/Enable Pacelift"},
       }) {
    EXPECT_EQ(Show(features::ViewOf(c.feature, c.status)), c.shown) << int(c.status);
  }
  EXPECT_EQ(Show(features::InitialView(Feature::Trimwave)), "N/A/N/A/on/Enable Trimwave");
}

TEST(FeatureView, PressRules) {
  EXPECT_TRUE(features::PressSwitchesOn("NO"));
  for (const char* label : {"YES", "N/A", "no", "NO "})
    EXPECT_FALSE(features::PressSwitchesOn(label));
  EXPECT_TRUE(features::PressShowsWarning(Feature::Pacelift, true));
  EXPECT_FALSE(features::PressShowsWarning(Feature::Pacelift, false));
  EXPECT_FALSE(features::PressShowsWarning(Feature::Trimwave, true));
}

TEST(FeatureSwitches, RefreshShowsTheDrivesPage) {
  struct Case {
    const char* page;
    std::array<const char*, 3> shown;
  };
  for (const Case& c : {
           Case{R"({"support": "0x26", "state": "0x20"})",
                {"YES/YES/on/Disable Quillrate", "YES/NO/on/Enable Trimwave",
                 "YES/NO/on/Enable Pacelift"}},
           Case{R"({"support": "0x00", "state": "0x26"})",
                {"NO/N/A/off/Enable Quillrate", "NO/N/A/off/Enable Trimwave",
                 "NO/N/A/off/Enable Pacelift"}},
           Case{R"({"support": "0x26", "state": "0x06"})",
                {"YES/NO/on/Enable Quillrate", "YES/YES/on/Disable Trimwave",
                 "YES/YES/on/Disable Pacelift"}},
           // Bytes 10 and 11 are taken at their fixed places even behind a block
           // descriptor, where they hold the descriptor's zero bytes.
           Case{R"({"support": "0x26", "state": "0x06", "block_descriptor": true})",
                {"NO/N/A/off/Enable Quillrate", "NO/N/A/off/Enable Trimwave",
                 "NO/N/A/off/Enable Pacelift"}},
       }) {
    auto system = VendorDrive(c.page);
    AtapiDevice device(*system, {});
    ASSERT_TRUE(device.SelectDrive(0));
    const auto views = features::RefreshAbilities(device);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(Show(views[i]), c.shown[i]) << c.page;
  }
}

TEST(FeatureSwitches, DriveWithoutThePageShowsNotSupported) {
  auto system = MachineFromJson(OneDrive());
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  for (const auto& view : features::RefreshAbilities(device)) EXPECT_EQ(view.state, "N/A");
  EXPECT_FALSE(features::SetTWAbility(device, true));
}

TEST(FeatureSwitches, OnePressSendsOneSenseOneSelectThenOneSenseForAllThree) {
  auto system = VendorDrive(R"({"support": "0x26", "state": "0x20"})");
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  const auto before = features::RefreshAbilities(device);
  system->ClearLog();
  const bool on = features::PressSwitchesOn(before[0].state);  // "YES": switch off
  EXPECT_FALSE(on);
  EXPECT_TRUE(features::SetQRAbility(device, on));
  const auto after = features::RefreshAbilities(device);
  std::vector<uint8_t> opcodes;
  for (const auto& c : system->Log()) opcodes.push_back(c.cdb[0]);
  EXPECT_EQ(opcodes, (std::vector<uint8_t>{0x5A, 0x55, 0x5A}));
  EXPECT_EQ(after[0].state, "NO");
  EXPECT_EQ(after[0].buttonCaption, "Enable Quillrate");
}

TEST(FeatureSwitches, PageGoesBackExactlyAsReadExceptTheOneBit) {
  struct Case {
    Feature feature;
    bool on;
    bool blockDescriptor;
    uint8_t stateSent;  // byte 11 of the list sent
  };
  for (const Case& c :
       {Case{Feature::QuillrateDisable, false, false, 0x06},
        Case{Feature::QuillrateDisable, true, false, 0x26},
        Case{Feature::Trimwave, false, false, 0x24}, Case{Feature::Pacelift, true, false, 0x26},
        Case{Feature::Pacelift, true, true, 0x04}}) {
    auto system =
        VendorDrive(std::string(R"({"support": "0x26", "state": "0x26", "block_descriptor": )") +
                    (c.blockDescriptor ? "true}" : "false}"));
    AtapiDevice device(*system, {});
    ASSERT_TRUE(device.SelectDrive(0));
    ASSERT_TRUE(device.ModeSense10(0, 0, 0x30, 24, 0));
    std::vector<uint8_t> read(24);
    device.Answer().Copy(0, read.size(), read.data());
    ASSERT_TRUE(features::Switch(device, c.feature, c.on));
    std::vector<uint8_t> sent(device.DataOutBuffer().begin(), device.DataOutBuffer().begin() + 24);
    std::vector<uint8_t> expected = read;
    expected[11] = c.stateSent;
    EXPECT_EQ(sent, expected);
    EXPECT_NE(read[1], 0);  // the mode data length goes back as the drive gave it
  }
}

TEST(FeatureSwitches, RejectedModeSelectLeavesTheLabels) {
  auto system = VendorDrive(R"({"support": "0x26", "state": "0x00"})",
                            R"(, "faults": [{"command": "0x55", "sense": [5, "0x26"]}])");
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  EXPECT_FALSE(features::SetPLAbility(device, true));
  EXPECT_EQ(features::RefreshAbilities(device)[2].state, "NO");
}

TEST(FeatureSwitches, ShortPagesAreNeverTrustedOrWrittenBack) {
  struct Case {
    uint32_t length;
    uint8_t status;
    bool switched;
  };
  for (const Case& c : {Case{11, 0x00, false}, Case{12, 0x11, false}, Case{23, 0x11, false},
                        Case{24, 0x11, true}}) {
    auto system = VendorDrive(R"({"support": "0x26", "state": "0x20"})",
                              R"(, "faults": [{"command": "0x5A", "kind": "short", "length": )" +
                                  std::to_string(c.length) + "}]");
    AtapiDevice device(*system, {});
    ASSERT_TRUE(device.SelectDrive(0));
    EXPECT_EQ(features::GetQRAbility(device), c.status) << c.length;
    system->ClearLog();
    EXPECT_EQ(features::SetQRAbility(device, false), c.switched) << c.length;
    const bool selectSent = system->Log().size() == 2 && system->Log()[1].cdb[0] == 0x55;
    EXPECT_EQ(selectSent, c.switched);
  }
}

}  // namespace
