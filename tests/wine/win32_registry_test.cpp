// The program's settings under HKEY_LOCAL_MACHINE\SOFTWARE\Quillrate in Wine's registry.
// Wine's token is always elevated, so a refused write cannot be made here; the simulator's
// registry covers that path.
#include <gtest/gtest.h>

#include <string>

#include "platform/windows_api.h"
#include "settings/os_info.h"
#include "wine/win32_test_support.h"

namespace {

using settings::OSInfo;

constexpr const wchar_t* kKey = L"SOFTWARE\\Quillrate";

class Win32Registry : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey); }
  void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey); }

  bool KeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // The value as any other program sees it.
  std::wstring RawString(const wchar_t* name) {
    wchar_t data[600] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_ANY, &type, data, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
      return L"<not a string>";
    }
    return data;
  }

  win32_test::RealSystem real;
  std::array<char, 256> out{};
};

TEST_F(Win32Registry, AStringComesBackAsWrittenAndIsStoredAsTheRealText) {
  const std::string path =
      "C:\\Medien\\D\xC3\xBC"
      "bel \xE2\x98\x83.txt";  // Dübel ☃.txt in UTF-8
  ASSERT_TRUE(OSInfo::WriteRegString(*real.system, "Quillrate", "UserDefinedFule", path));
  ASSERT_TRUE(OSInfo::ReadRegString(*real.system, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), path);
  EXPECT_EQ(RawString(L"UserDefinedFule"), L"C:\\Medien\\D\u00FCbel \u2603.txt");
}

TEST_F(Win32Registry, AnEmptyStringCreatesTheKeyAndReadsAsEmpty) {
  ASSERT_FALSE(KeyExists());
  ASSERT_TRUE(OSInfo::WriteRegString(*real.system, "Quillrate", "UserDefinedFule", ""));
  EXPECT_TRUE(KeyExists());
  out.fill('x');
  EXPECT_TRUE(OSInfo::ReadRegString(*real.system, "Quillrate", "UserDefinedFule", out));
  EXPECT_EQ(std::string(out.data()), "");
}

TEST_F(Win32Registry, AMissingKeyOrValueReadsAsAbsentAndCreatesNothing) {
  EXPECT_FALSE(OSInfo::ReadRegString(*real.system, "Quillrate", "UserDefinedFule", out));
  EXPECT_FALSE(KeyExists());
  ASSERT_TRUE(OSInfo::WriteRegDword(*real.system, "Quillrate", "Width", 479));
  EXPECT_FALSE(OSInfo::ReadRegString(*real.system, "Quillrate", "UserDefinedFule", out));
}

TEST_F(Win32Registry, AStringLongerThanTheBufferReadsAsAbsent) {
  const struct {
    size_t characters;
    bool fits;  // the text and its NUL in 256 bytes
  } cases[] = {{255, true}, {256, false}, {300, false}};
  for (const auto& c : cases) {
    const std::string text(c.characters, 'a');
    ASSERT_TRUE(OSInfo::WriteRegString(*real.system, "Quillrate", "UserDefinedFule", text));
    EXPECT_EQ(OSInfo::ReadRegString(*real.system, "Quillrate", "UserDefinedFule", out), c.fits)
        << c.characters;
    if (c.fits) {
      EXPECT_EQ(std::string(out.data()), text);
    }
  }
}

TEST_F(Win32Registry, TheWindowSizeIsAFourByteNumber) {
  ASSERT_TRUE(OSInfo::WriteRegDword(*real.system, "Quillrate", "Width", 479));
  ASSERT_TRUE(OSInfo::WriteRegDword(*real.system, "Quillrate", "Height", 0x12345678));
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kKey, L"Height", RRF_RT_ANY, &type, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 0x12345678u);
}

}  // namespace
