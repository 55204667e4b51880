// The Linux backend's pieces that need no drive: sense normalisation and the settings file.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "platform/linux/sense_format.h"
#include "platform/linux/settings_file.h"
#include "settings/os_info.h"

namespace {

TEST(SenseFormat, DescriptorSenseBecomesFixedFormat) {
  struct Case {
    std::vector<uint8_t> raw;
    uint8_t key, asc, ascq;
  };
  for (const Case& c : {
           Case{{0x72, 0x02, 0x3A, 0x01, 0, 0, 0, 0}, 2, 0x3A, 0x01},
           Case{{0x73, 0x06, 0x28, 0x00, 0, 0, 0, 0}, 6, 0x28, 0x00},
           Case{{0x70, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24, 0x00}, 5, 0x24, 0x00},
           Case{{0xF0, 0, 0x03, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x11, 0x05}, 3, 0x11, 0x05},
       }) {
    std::array<uint8_t, 32> sense{};
    std::copy(c.raw.begin(), c.raw.end(), sense.begin());
    platform::NormaliseSense(sense, c.raw.size());
    EXPECT_EQ(sense[2] & 0x0F, c.key);
    EXPECT_EQ(sense[12], c.asc);
    EXPECT_EQ(sense[13], c.ascq);
  }
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ::testing::TempDir() + "quillrate-settings-" + std::to_string(::getpid());
    path = dir + "/sub/settings.ini";
    std::system(("rm -rf '" + dir + "'").c_str());
  }
  void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

  // Settings through the same registry operations the program uses.
  struct Store : platform::System {
    explicit Store(const std::string& p) : file(p) {}
    platform::SettingsFile file;
    std::optional<uint32_t> PlatformId() override { return 2; }
    std::optional<std::vector<std::string>> LogicalDriveRoots() override {
      return std::vector<std::string>{};
    }
    platform::DriveType GetDriveType(const std::string&) override {
      return platform::DriveType::Unknown;
    }
    std::unique_ptr<platform::DeviceHandle> OpenDevice(const std::string&) override {
      return nullptr;
    }
    std::unique_ptr<platform::AspiLibrary> LoadAspiLibrary(const std::string&) override {
      return nullptr;
    }
    std::unique_ptr<platform::Event> CreateEvent() override { return nullptr; }
    platform::Registry& Settings() override { return file; }
    bool QueryPerformanceFrequency(int64_t&) override { return false; }
    bool QueryPerformanceCounter(int64_t&) override { return false; }
    void Sleep(uint32_t) override {}
    platform::MessageSink& Messages() override { std::abort(); }
  };

  std::string dir, path;
};

TEST_F(SettingsFileTest, RoundTripAndReplaceInOneStep) {
  Store store(path);
  std::array<char, 256> out{};
  EXPECT_FALSE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
  struct stat info {};
  EXPECT_NE(::stat(path.c_str(), &info), 0) << "a read must not create the file";
  ASSERT_TRUE(settings::OSInfo::WriteRegString(store, "Quillrate", "UserDefinedFule",
                                               "/home/u/media list.txt"));
  ASSERT_TRUE(settings::OSInfo::WriteRegDword(store, "Quillrate", "Width", 479));
  ASSERT_TRUE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), "/home/u/media list.txt");
  ASSERT_TRUE(settings::OSInfo::WriteRegString(store, "Quillrate", "UserDefinedFule", "a\\b\nc"));
  ASSERT_TRUE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), "a\\b\nc");
  // No temporary file is left beside it.
  EXPECT_EQ(std::system(("test $(ls '" + dir + "/sub' | wc -l) -eq 1").c_str()), 0);
}

TEST_F(SettingsFileTest, DamagedFileReadsAsAbsentValues) {
  std::system(("mkdir -p '" + dir + "/sub'").c_str());
  std::ofstream(path)
      << "garbage\n[SOFTWARE\\QUILLRATE]\nUSERDEFINEDFULE=sz:bad\\q\nWIDTH=dword:x\n"
         "HEIGHT=dword:428\n\x01\x02\n";
  Store store(path);
  std::array<char, 256> out{};
  EXPECT_FALSE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
  EXPECT_TRUE(settings::OSInfo::WriteRegString(store, "Quillrate", "UserDefinedFule", "ok"));
  EXPECT_TRUE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), "ok");
}

TEST_F(SettingsFileTest, OverLongValueReadsAsAbsent) {
  Store store(path);
  std::array<char, 256> out{};
  ASSERT_TRUE(settings::OSInfo::WriteRegString(store, "Quillrate", "UserDefinedFule",
                                               std::string(300, 'x')));
  EXPECT_FALSE(settings::OSInfo::ReadRegString(store, "Quillrate", "UserDefinedFule", out));
}

TEST_F(SettingsFileTest, FolderThatCannotBeMadeFailsCleanly) {
  // A file stands where the settings folder should be: no write can succeed, even as root.
  std::system(("mkdir -p '" + dir + "' && touch '" + dir + "/sub'").c_str());
  Store store(path);
  EXPECT_FALSE(settings::OSInfo::WriteRegDword(store, "Quillrate", "Width", 1));
  std::array<char, 256> out{};
  EXPECT_FALSE(settings::OSInfo::ReadRegString(store, "Quillrate", "Width", out));
}

}  // namespace
