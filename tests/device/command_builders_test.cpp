// The exact 12 CDB bytes, direction and transfer length of every builder, for every
// argument set the program passes, as the drive receives them.
#include <functional>

#include <gtest/gtest.h>

#include "device/atapi_device.h"
#include "support/sim_machines.h"

namespace {

using device::AtapiDevice;
using platform::Direction;
using testing_machines::Hex;

struct BuilderCase {
  const char* name;
  std::function<bool(AtapiDevice&)> send;
  const char* cdb;
  Direction direction;
  uint32_t length;
  friend void PrintTo(const BuilderCase& c, std::ostream* os) { *os << c.name; }
};

class CommandBuilders : public ::testing::TestWithParam<BuilderCase> {};

TEST_P(CommandBuilders, SendsExactCdb) {
  auto system = testing_machines::MachineFromJson(testing_machines::OneDrive());
  AtapiDevice device(*system, {});
  ASSERT_TRUE(device.SelectDrive(0));
  system->ClearLog();
  GetParam().send(device);
  ASSERT_EQ(system->Log().size(), 1u);
  const sim::LoggedCommand& sent = system->Log()[0];
  EXPECT_EQ(Hex(sent.cdb), GetParam().cdb);
  EXPECT_EQ(sent.direction, GetParam().direction);
  EXPECT_EQ(sent.length, GetParam().length);
  ASSERT_TRUE(system->lastPassThrough.has_value());
  EXPECT_EQ(system->lastPassThrough->CdbLength, 12);
}

INSTANTIATE_TEST_SUITE_P(
    AllArgumentSets, CommandBuilders,
    ::testing::Values(
        BuilderCase{"Inquiry96", [](AtapiDevice& d) { return d.Inquiry(0, 0, 0, 96, 0); },
                    "12 00 00 00 60 00 00 00 00 00 00 00", Direction::In, 96},
        BuilderCase{"InquiryCutTo8Bits",
                    [](AtapiDevice& d) { return d.Inquiry(1, 1, 0x80, 0x160, 7); },
                    "12 03 80 00 60 07 00 00 00 00 00 00", Direction::In, 0x60},
        BuilderCase{"TestUnitReady", [](AtapiDevice& d) { return d.TestUnitReady(); },
                    "00 00 00 00 00 00 00 00 00 00 00 00", Direction::None, 0},
        BuilderCase{"ProfileList", [](AtapiDevice& d) { return d.GetConfiguration(2, 0, 248, 0); },
                    "46 02 00 00 00 00 00 00 F8 00 00 00", Direction::In, 248},
        BuilderCase{"CurrentProfile",
                    [](AtapiDevice& d) { return d.GetConfiguration(0, 0, 204, 0); },
                    "46 00 00 00 00 00 00 00 CC 00 00 00", Direction::In, 204},
        BuilderCase{"LightScribeFeature",
                    [](AtapiDevice& d) { return d.GetConfiguration(2, 0xFF33, 16, 0); },
                    "46 02 FF 33 00 00 00 00 10 00 00 00", Direction::In, 16},
        BuilderCase{"VendorPage", [](AtapiDevice& d) { return d.ModeSense10(0, 0, 0x30, 24, 0); },
                    "5A 00 30 00 00 00 00 00 18 00 00 00", Direction::In, 24},
        BuilderCase{"ModeSelect", [](AtapiDevice& d) { return d.ModeSelect10(0, 24, 0); },
                    "55 10 00 00 00 00 00 00 18 00 00 00", Direction::Out, 24},
        BuilderCase{"CapabilitiesPage42",
                    [](AtapiDevice& d) { return d.ModeSense10(0, 0, 0x2A, 42, 0); },
                    "5A 00 2A 00 00 00 00 00 2A 00 00 00", Direction::In, 42},
        BuilderCase{"CapabilitiesPage40",
                    [](AtapiDevice& d) { return d.ModeSense10(0, 0, 0x2A, 40, 0); },
                    "5A 00 2A 00 00 00 00 00 28 00 00 00", Direction::In, 40},
        BuilderCase{"LightScribePage",
                    [](AtapiDevice& d) { return d.ModeSense10(1, 0, 0x32, 256, 0); },
                    "5A 08 32 00 00 00 00 01 00 00 00 00", Direction::In, 256},
        BuilderCase{"PhysicalFormat616",
                    [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0, 616, 0, 0); },
                    "AD 00 00 00 00 00 00 00 02 68 00 00", Direction::In, 616},
        BuilderCase{"PhysicalFormat36",
                    [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0, 36, 0, 0); },
                    "AD 00 00 00 00 00 00 00 00 24 00 00", Direction::In, 36},
        BuilderCase{"PhysicalFormat34",
                    [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0, 34, 0, 0); },
                    "AD 00 00 00 00 00 00 00 00 22 00 00", Direction::In, 34},
        BuilderCase{"PreRecorded50",
                    [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0x0E, 50, 0, 0); },
                    "AD 00 00 00 00 00 00 0E 00 32 00 00", Direction::In, 50},
        BuilderCase{"PreRecorded48",
                    [](AtapiDevice& d) { return d.ReadDiscStructure(0, 0, 0x0E, 48, 0, 0); },
                    "AD 00 00 00 00 00 00 0E 00 30 00 00", Direction::In, 48},
        BuilderCase{
            "StructureFields",
            [](AtapiDevice& d) { return d.ReadDiscStructure(0x01020304, 5, 6, 0x0708, 3, 9); },
            "AD 00 01 02 03 04 05 06 07 08 C0 09", Direction::In, 0x708},
        BuilderCase{"BdDiscInformation",
                    [](AtapiDevice& d) { return d.ReadDiscStructureMedia(0, 1, 0, 0, 116, 0, 0); },
                    "AD 01 00 00 00 00 00 00 00 74 00 00", Direction::In, 116},
        BuilderCase{"AtipClassify", [](AtapiDevice& d) { return d.ReadTocPmaAtip(0, 4, 0, 24, 0); },
                    "43 00 04 00 00 00 00 00 18 00 00 00", Direction::In, 24},
        BuilderCase{"AtipTimes", [](AtapiDevice& d) { return d.ReadTocPmaAtip(1, 4, 0, 256, 0); },
                    "43 02 04 00 00 00 00 01 00 00 00 00", Direction::In, 256},
        BuilderCase{"VendorMediaId", [](AtapiDevice& d) { return d.ReadVendorMediaId(); },
                    "DF 00 03 01 00 00 00 00 00 00 00 00", Direction::In, 12},
        BuilderCase{"DiscInformation", [](AtapiDevice& d) { return d.ReadDiscInformation(256, 0); },
                    "51 00 00 00 00 00 00 01 00 00 00 00", Direction::In, 256},
        BuilderCase{"FormatCapacities",
                    [](AtapiDevice& d) { return d.ReadFormatCapacities(96, 0); },
                    "23 00 00 00 00 00 00 00 60 00 00 00", Direction::In, 96},
        BuilderCase{"Performance4096",
                    [](AtapiDevice& d) { return d.GetPerformance(0, 0, 50, 3, 0, 4096); },
                    "AC 00 00 00 00 00 00 00 00 32 03 00", Direction::In, 4096},
        BuilderCase{"Performance1024",
                    [](AtapiDevice& d) { return d.GetPerformance(0, 0, 50, 3, 0, 1024); },
                    "AC 00 00 00 00 00 00 00 00 32 03 00", Direction::In, 1024},
        BuilderCase{"SetStreaming", [](AtapiDevice& d) { return d.SetStreaming(28, 0); },
                    "B6 00 00 00 00 00 00 00 00 00 1C 00", Direction::Out, 28},
        BuilderCase{"SetCdSpeedMax",
                    [](AtapiDevice& d) { return d.SetCdSpeed(0, 0xFFFF, 0xFFFF, 0); },
                    "BB 00 FF FF FF FF 00 00 00 00 00 00", Direction::None, 0},
        // Every field apart, so that each lands in its own bytes: the 10-byte commands' length
        // in bytes 7-8 and control in byte 9, the 12-byte commands' control in byte 11.
        BuilderCase{"ConfigurationFields",
                    [](AtapiDevice& d) { return d.GetConfiguration(1, 0x1234, 0x0506, 7); },
                    "46 01 12 34 00 00 00 05 06 07 00 00", Direction::In, 0x506},
        BuilderCase{"ModeSelectFields", [](AtapiDevice& d) { return d.ModeSelect10(1, 0x0102, 3); },
                    "55 11 00 00 00 00 00 01 02 03 00 00", Direction::Out, 0x102},
        BuilderCase{"ModeSenseFields",
                    [](AtapiDevice& d) { return d.ModeSense10(1, 2, 0x2A, 0x0304, 5); },
                    "5A 08 AA 00 00 00 00 03 04 05 00 00", Direction::In, 0x304},
        BuilderCase{"TocFields",
                    [](AtapiDevice& d) { return d.ReadTocPmaAtip(1, 2, 3, 0x0405, 6); },
                    "43 02 02 00 00 00 03 04 05 06 00 00", Direction::In, 0x405},
        BuilderCase{"DiscInformationFields",
                    [](AtapiDevice& d) { return d.ReadDiscInformation(0x0102, 3); },
                    "51 00 00 00 00 00 00 01 02 03 00 00", Direction::In, 0x102},
        BuilderCase{"FormatCapacitiesFields",
                    [](AtapiDevice& d) { return d.ReadFormatCapacities(0x0102, 3); },
                    "23 00 00 00 00 00 00 01 02 03 00 00", Direction::In, 0x102},
        BuilderCase{"TrackInformationFields",
                    [](AtapiDevice& d) { return d.ReadTrackInformation(1, 0x01020304, 0x0506, 7); },
                    "52 01 01 02 03 04 00 05 06 07 00 00", Direction::In, 0x506},
        BuilderCase{
            "PerformanceFields",
            [](AtapiDevice& d) { return d.GetPerformance(3, 0x01020304, 0x0506, 7, 8, 64); },
            "AC 03 01 02 03 04 00 00 05 06 07 08", Direction::In, 64},
        BuilderCase{"SetStreamingFields", [](AtapiDevice& d) { return d.SetStreaming(0x0102, 3); },
                    "B6 00 00 00 00 00 00 00 00 01 02 03", Direction::Out, 0x102},
        BuilderCase{"SetCdSpeedFields",
                    [](AtapiDevice& d) { return d.SetCdSpeed(1, 0x0203, 0x0405, 6); },
                    "BB 01 02 03 04 05 00 00 00 00 00 06", Direction::None, 0}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
