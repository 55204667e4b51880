// Finding, sorting and identifying drives: address order, substitute adapters, the
// 16-slot limit, the identity attempts, the fall-back from ASPI and the exact commands.
#include <gtest/gtest.h>

#include <set>

#include "device/atapi_device.h"
#include "platform/system.h"
#include "support/refusing_system.h"
#include "support/sim_machines.h"
#include "text/fixed_text.h"

namespace {

using device::AtapiDevice;
using testing_machines::Hex;
using testing_machines::MachineFromJson;
using text::TextOf;

std::string Drive(const std::string& root, const std::string& address, const std::string& product,
                  const std::string& extra = "") {
  return R"({"root": ")" + root + R"(", "address": )" + address +
         R"(, "vendor": "VEXO", "product": ")" + product + R"(")" + extra + "}";
}

std::string Machine(const std::vector<std::string>& drives, const std::string& platform = "") {
  std::string list;
  for (const auto& d : drives) list += (list.empty() ? "" : ",") + d;
  return R"({"platform": {"nt": true)" + platform +
         R"(}, "other_roots": [{"root": "C:\\", "type": 3}],
            "drives": [)" +
         list + "]}";
}

std::vector<std::string> Listed(const AtapiDevice& device) {
  std::vector<std::string> out;
  for (int i = 0; i < device.GetDriveCount(); ++i) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    out.push_back(std::string(TextOf(e->RootPath)) + " " + std::to_string(e->Adapter) + "-" +
                  std::to_string(e->Bus) + "-" + std::to_string(e->Target) + "-" +
                  std::to_string(e->Lun) + " " + std::string(TextOf(e->Product)));
  }
  return out;
}

TEST(Enumeration, ListsInAddressOrderWhateverTheLetterOrder) {
  auto system = MachineFromJson(Machine({
      Drive("D:\\\\", R"({"port": 3, "target": 0})", "THIRD"),
      Drive("E:\\\\", R"({"port": 1, "path": 1, "target": 0})", "SECOND"),
      Drive("G:\\\\", R"({"port": 1, "path": 0, "target": 5, "lun": 1})", "FIRST"),
  }));
  AtapiDevice device(*system, {});
  EXPECT_EQ(Listed(device), (std::vector<std::string>{"G:\\ 1-0-5-1 FIRST           ",
                                                      "E:\\ 1-1-0-0 SECOND          ",
                                                      "D:\\ 3-0-0-0 THIRD           "}));
}

TEST(Enumeration, EqualKeysKeepTheirScanOrder) {
  auto system = MachineFromJson(Machine({
      Drive("F:\\\\", R"({"port": 1})", "LATER"),
      Drive("E:\\\\", R"({"port": 1})", "EARLIER"),
  }));
  AtapiDevice device(*system, {});
  ASSERT_EQ(device.GetDriveCount(), 2);
  EXPECT_EQ(TextOf(device.GetDriveEntry(0)->RootPath), "E:\\");
  EXPECT_EQ(TextOf(device.GetDriveEntry(1)->RootPath), "F:\\");
}

TEST(Enumeration, DrivesWithoutAddressGetSubstituteAdapters) {
  auto system = MachineFromJson(Machine({
      Drive("D:\\\\", R"("query-fails")", "NOADDR1"),
      Drive("E:\\\\", R"({"port": 0, "target": 1})", "REAL"),
      Drive("F:\\\\", R"("query-fails")", "NOADDR2"),
      Drive("G:\\\\", R"("zero-length")", "GONE"),
      Drive("H:\\\\", R"({"port": 0})", "CLOSED", R"(, "opens": false)"),
  }));
  AtapiDevice device(*system, {});
  EXPECT_EQ(Listed(device), (std::vector<std::string>{"E:\\ 0-0-1-0 REAL            ",
                                                      "D:\\ 2-0-0-0 NOADDR1         ",
                                                      "F:\\ 3-0-0-0 NOADDR2         "}));
}

TEST(Enumeration, TakesTheFirstSixteenOfMoreCdromLetters) {
  std::vector<std::string> drives;
  for (char letter = 'D'; letter <= 'V'; ++letter) {
    drives.push_back(Drive(std::string(1, letter) + ":\\\\",
                           R"({"port": 0, "target": )" + std::to_string('V' - letter) + "}",
                           std::string("DRIVE ") + letter));
  }
  auto system = MachineFromJson(Machine(drives));
  AtapiDevice device(*system, {});
  ASSERT_EQ(device.GetDriveCount(), 16);
  // D: to S: are found first; sorted by target, S: (target 3) comes first.
  EXPECT_EQ(TextOf(device.GetDriveEntry(0)->RootPath), "S:\\");
  EXPECT_EQ(TextOf(device.GetDriveEntry(15)->RootPath), "D:\\");
  EXPECT_EQ(device.GetDriveEntry(16), nullptr);
  EXPECT_FALSE(device.SelectDrive(16));
  EXPECT_FALSE(device.SelectDrive(-1));
  EXPECT_TRUE(device.SelectDrive(15));
}

TEST(Enumeration, IdentityIsAskedTenTimesThenLeftEmpty) {
  auto system = MachineFromJson(Machine({
      Drive("D:\\\\", R"({"port": 0})", "ZEROS", R"(, "identity_zeros": true)"),
      Drive("E:\\\\", R"({"port": 1})", "FAILS",
            R"(, "faults": [{"command": "0x12", "sense": [4, 0]}])"),
      Drive("F:\\\\", R"({"port": 2})", "SHORT",
            R"(, "inquiry_length": 36, "vendor_specific": "IGNORED")"),
      Drive("G:\\\\", R"({"port": 3})", "FLAKY",
            R"(, "faults": [{"command": "0x12", "sense": [2, 4], "times": 3}])"),
  }));
  AtapiDevice device(*system, {});
  std::map<int, int> inquiries;
  for (const auto& c : system->Log()) inquiries[c.drive] += c.cdb[0] == 0x12;
  EXPECT_EQ(inquiries, (std::map<int, int>{{0, 10}, {1, 10}, {2, 1}, {3, 4}}));
  ASSERT_EQ(device.GetDriveCount(), 4);
  for (int i : {0, 1}) {
    const device::DriveEntry* e = device.GetDriveEntry(static_cast<unsigned>(i));
    EXPECT_EQ(TextOf(e->DisplayName), "");
    EXPECT_EQ(TextOf(e->Vendor), "");
    EXPECT_EQ(TextOf(e->Product), "");
    EXPECT_EQ(TextOf(e->Revision), "");
    EXPECT_EQ(TextOf(e->VendorSpecific), "");
  }
  const device::DriveEntry* shortDrive = device.GetDriveEntry(2);
  EXPECT_EQ(TextOf(shortDrive->DisplayName), "VEXO    SHORT           ");
  EXPECT_EQ(TextOf(shortDrive->VendorSpecific), "");  // bytes 36-51 were not sent
  EXPECT_EQ(TextOf(device.GetDriveEntry(3)->Product), "FLAKY           ");
}

TEST(Enumeration, ExactCommandSequence) {
  auto system = MachineFromJson(
      Machine({Drive("E:\\\\", R"({"port": 1})", "ONE", R"(, "unit_attentions": 2)")}));
  AtapiDevice device(*system, {});
  std::vector<std::string> sent;
  for (const auto& c : system->Log()) sent.push_back(Hex(c.cdb));
  EXPECT_EQ(sent, (std::vector<std::string>{
                      "00 00 00 00 00 00 00 00 00 00 00 00",  // unit attention
                      "00 00 00 00 00 00 00 00 00 00 00 00",  // unit attention
                      "00 00 00 00 00 00 00 00 00 00 00 00",  // no medium: done
                      "12 00 00 00 60 00 00 00 00 00 00 00",
                  }));
  EXPECT_EQ(device.CurrentIndex(), -1);  // every drive is closed after enumeration
}

TEST(Enumeration, AspiSeeingFewerDrivesThanLettersFallsBackToPassThrough) {
  auto system = MachineFromJson(
      Machine({Drive("D:\\\\", R"({"port": 1})", "A", R"(, "aspi": [0, 0, 0])"),
               Drive("E:\\\\", R"({"port": 1, "target": 1})", "B", R"(, "aspi": [0, 1, 0])"),
               Drive("F:\\\\", R"({"port": 2})", "C")},
              R"(, "aspi": "ready")"));
  AtapiDevice device(*system, {});
  ASSERT_EQ(device.GetDriveCount(), 3);
  EXPECT_FALSE(device.UseAspi());
  EXPECT_FALSE(device.AspiLoaded());
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(device.GetDriveEntry(static_cast<unsigned>(i))->ViaAspi);
  for (const auto& c : system->Log()) EXPECT_FALSE(c.viaAspi);
}

TEST(Enumeration, AspiSeeingAllDrivesKeepsItsList) {
  auto system = MachineFromJson(
      Machine({Drive("D:\\\\", R"({"port": 1})", "A", R"(, "aspi": [1, 0, 0])"),
               Drive("E:\\\\", R"({"port": 1, "target": 1})", "B", R"(, "aspi": [0, 2, 3])")},
              R"(, "aspi": "ready")"));
  AtapiDevice device(*system, {});
  EXPECT_EQ(Listed(device),
            (std::vector<std::string>{" 0-0-2-3 B               ", " 1-0-0-0 A               "}));
  EXPECT_TRUE(device.GetDriveEntry(0)->ViaAspi);
}

TEST(Enumeration, RootListWithoutMemoryNeverTriggersTheFallBack) {
  auto system =
      MachineFromJson(Machine({Drive("D:\\\\", R"({"port": 1})", "A", R"(, "aspi": [0, 0, 0])")},
                              R"(, "aspi": "ready", "root_list_fails": true)"));
  AtapiDevice device(*system, {});
  ASSERT_EQ(device.GetDriveCount(), 1);
  EXPECT_TRUE(device.GetDriveEntry(0)->ViaAspi);
}

TEST(Enumeration, MoreThanSixteenAspiDevices) {
  std::string drives;
  for (int t = 0; t < 10; ++t) {
    for (int a = 0; a < 2; ++a) {
      drives += std::string(drives.empty() ? "" : ",") + R"({"aspi": [)" + std::to_string(a) + "," +
                std::to_string(t) + R"(, 0], "vendor": "V"})";
    }
  }
  auto system = MachineFromJson(R"({"platform": {"nt": false, "aspi": "ready"}, "drives": [)" +
                                drives + "]}");
  AtapiDevice device(*system, {});
  ASSERT_EQ(device.GetDriveCount(), 16);
  // Adapter 0 is scanned first: its ten drives, then six of adapter 1.
  EXPECT_EQ(device.GetDriveEntry(9)->Adapter, 0);
  EXPECT_EQ(device.GetDriveEntry(10)->Adapter, 1);
  EXPECT_EQ(device.GetDriveEntry(15)->Target, 5);
}

TEST(Enumeration, DescribeStepRunsForEachDriveWhileSelected) {
  auto system = MachineFromJson(
      Machine({Drive("E:\\\\", R"({"port": 1})", "A"), Drive("F:\\\\", R"({"port": 2})", "B")}));
  std::vector<int> described;
  AtapiDevice device(*system, {true, [&](AtapiDevice& d, int index) {
                                 EXPECT_EQ(d.CurrentIndex(), index);
                                 d.SetDriveKind(static_cast<unsigned>(index), 7, "SEVEN");
                                 described.push_back(index);
                               }});
  EXPECT_EQ(described, (std::vector<int>{0, 1}));
  EXPECT_EQ(device.GetDriveEntry(1)->Kind, 7);
}

TEST(Enumeration, ADriveThatIsRefusedEveryCommandIsLeftOutOfTheList) {
  struct Case {
    const char* name;
    std::set<std::string> refusing;
    std::vector<std::string> listed;
  };
  for (const Case& c : {
           Case{"none refused",
                {},
                {"D:\\ 0-0-0-0 FIRST           ", "E:\\ 1-0-0-0 SECOND          ",
                 "F:\\ 2-0-0-0 THIRD           "}},
           Case{"the middle one",
                {"E:\\"},
                {"D:\\ 0-0-0-0 FIRST           ", "F:\\ 2-0-0-0 THIRD           "}},
           Case{"the first one",
                {"D:\\"},
                {"E:\\ 1-0-0-0 SECOND          ", "F:\\ 2-0-0-0 THIRD           "}},
           Case{"all of them", {"D:\\", "E:\\", "F:\\"}, {}},
       }) {
    for (const bool onDemand : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (onDemand ? ", identified on demand" : ""));
      testing_machines::RefusingSystem system(MachineFromJson(Machine({
                                                  Drive("D:\\\\", R"({"port": 0})", "FIRST"),
                                                  Drive("E:\\\\", R"({"port": 1})", "SECOND"),
                                                  Drive("F:\\\\", R"({"port": 2})", "THIRD"),
                                              })),
                                              c.refusing);
      std::vector<int> described;
      device::DeviceOptions options;
      options.describe = [&](AtapiDevice&, int index) { described.push_back(index); };
      options.identifyOnDemand = onDemand;
      AtapiDevice device(system, options);
      if (onDemand) {
        EXPECT_EQ(device.RefusedCommands(), 0u) << "nothing is sent before a drive is asked for";
        // As a command walks the list: each entry asked for is identified, a refused one leaves
        // the list and the next takes its index.
        for (int i = 0; i < device.GetDriveCount(); ++i)
          device.GetDriveEntry(static_cast<unsigned>(i));
      }
      EXPECT_EQ(Listed(device), c.listed);
      EXPECT_EQ(device.GetDriveCount(), static_cast<int>(c.listed.size()));
      EXPECT_EQ(device.UnansweredCommands(), 0u) << "a refusal is told as a silent drive";
      EXPECT_EQ(device.RefusedCommands() > 0, !c.refusing.empty());
      // Refused once is enough: no ten attempts at a drive the system will not let us ask.
      EXPECT_LE(device.RefusedCommands(), 2 * c.refusing.size());
      EXPECT_EQ(described.size(), c.listed.size()) << "a refused drive was classified";
    }
  }
}

}  // namespace
