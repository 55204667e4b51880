// The one reader and the one atomic writer on Windows: UTF-16 names, replacing a file whole,
// what is refused, and the running program's own file; numbers formatted in the "C" locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>

#include "platform/files/atomic_file.h"
#include "platform/files/file_test_hooks.h"
#include "platform/files/input_file.h"
#include "platform/files/program_file.h"
#include "platform/files/win32/wide_text.h"
#include "platform/windows_api.h"
#include "text/format_c.h"

namespace {

namespace fs = std::filesystem;
using platform::ReadFault;
constexpr auto kNew = platform::LinkPolicy::ReplaceLink;
using platform::WriteFault;

std::span<const uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::string Text(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

class Win32Files : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              (L"quillrate-" +
               platform::Widen(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    platform::TestHooks() = {};
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  std::string In(const std::wstring& name) const {
    return platform::Narrow((folder_ / name).wstring());
  }
  size_t Entries() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
};

TEST_F(Win32Files, AFileWithAWideNameIsWrittenAndReadByThatName) {
  const std::wstring name = L"M\u00E9dias \u2603 \u65E5\u672C.txt";
  const std::string path = In(name);
  ASSERT_TRUE(platform::WriteFileAtomically(path, Bytes("[CD]\r\n"), 0644, kNew).ok());
  EXPECT_TRUE(fs::is_regular_file(folder_ / name));
  const platform::FileContents read = platform::ReadWholeFile(path);
  ASSERT_TRUE(read.ok()) << read.problem.reason;
  EXPECT_EQ(Text(read.bytes), "[CD]\r\n");
}

TEST_F(Win32Files, AnExistingFileIsReplacedWholeAndNoTemporaryFileStays) {
  const std::string path = In(L"settings.txt");
  ASSERT_TRUE(platform::WriteFileAtomically(path, Bytes("first version, longer"), 0644, kNew).ok());
  ASSERT_TRUE(platform::WriteFileAtomically(path, Bytes("second"), 0644, kNew).ok());
  EXPECT_EQ(Text(platform::ReadWholeFile(path).bytes), "second");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(Win32Files, AFailedWriteLeavesTheOldFileAndNoTrace) {
  const std::string path = In(L"Quillrate.exe");
  ASSERT_TRUE(platform::WriteFileAtomically(path, Bytes("old"), 0755, kNew).ok());
  const struct {
    platform::WriteStep step;
    WriteFault fault;
  } cases[] = {{platform::WriteStep::Write, WriteFault::WriteFailed},
               {platform::WriteStep::Sync, WriteFault::WriteFailed},
               {platform::WriteStep::Close, WriteFault::WriteFailed},
               {platform::WriteStep::Rename, WriteFault::RenameFailed}};
  for (const auto& c : cases) {
    platform::TestHooks().writeFailure = platform::FileTestHooks::WriteFailure{c.step, 2, ENOSPC};
    const auto result = platform::WriteFileAtomically(path, Bytes("new contents"), 0755, kNew);
    platform::TestHooks() = {};
    EXPECT_EQ(result.fault, c.fault) << static_cast<int>(c.step);
    EXPECT_EQ(Text(platform::ReadWholeFile(path).bytes), "old");
    EXPECT_EQ(Entries(), 1u);
  }
}

TEST_F(Win32Files, WhatIsNotAFileIsRefusedWithAReason) {
  fs::create_directories(folder_ / L"folder");
  EXPECT_EQ(platform::WriteFileAtomically(In(L"folder"), Bytes("x"), 0644, kNew).fault,
            WriteFault::IsFolder);
  EXPECT_EQ(platform::WriteFileAtomically(In(L"missing\\file.txt"), Bytes("x"), 0644, kNew).fault,
            WriteFault::NoFolder);

  const struct {
    std::string path;
    ReadFault fault;
    const char* reason;
  } reads[] = {{In(L"folder"), ReadFault::NotAFile, "a folder, not a file"},
               {In(L"nothing.txt"), ReadFault::Missing, "no such file"},
               {"NUL", ReadFault::NotAFile, "a device, not a regular file"}};
  for (const auto& r : reads) {
    const platform::FileContents read = platform::ReadWholeFile(r.path);
    EXPECT_EQ(read.problem.fault, r.fault) << r.path;
    EXPECT_EQ(read.problem.reason, r.reason) << r.path;
  }
}

TEST_F(Win32Files, ARunningProgramKnowsItsOwnFile) {
  const std::string self = platform::RunningProgramFile();
  EXPECT_EQ(fs::path(platform::Widen(self)).filename(), L"quillrate_win32_tests.exe");
  EXPECT_TRUE(platform::SameFile(platform::RunningProgramPath(), self));
  const std::string a = In(L"a.txt");
  const std::string b = In(L"b.txt");
  ASSERT_TRUE(platform::WriteFileAtomically(a, Bytes("a"), 0644, kNew).ok());
  ASSERT_TRUE(platform::WriteFileAtomically(b, Bytes("a"), 0644, kNew).ok());
  EXPECT_TRUE(platform::SameFile(
      a, In(L"..\\") + platform::Narrow(folder_.filename().wstring()) + "\\A.TXT"));
  EXPECT_FALSE(platform::SameFile(a, b));
  EXPECT_FALSE(platform::SameFile(a, In(L"nothing.txt")));
  EXPECT_EQ(platform::ExecutableName("quillrate"), "quillrate.exe");
}

// The C runtime's printf follows the thread's locale: under German rules it writes a comma.
TEST(Win32FormatC, NumbersKeepTheirPointUnderAnotherLocale) {
  const char* german = std::setlocale(LC_ALL, "German_Germany.1252");
  if (german == nullptr) german = std::setlocale(LC_ALL, "de-DE");
  ASSERT_NE(german, nullptr);
  char naive[32];
  std::snprintf(naive, sizeof naive, "%.2f", 702.83);
  ASSERT_STREQ(naive, "702,83");  // the locale is really in force

  EXPECT_EQ(text::FormatC("%.2fMB", 702.83), "702.83MB");
  EXPECT_EQ(text::FormatC("%zu lines, %.1fX", size_t{42}, 2.5), "42 lines, 2.5X");
  std::snprintf(naive, sizeof naive, "%.2f", 702.83);
  EXPECT_STREQ(naive, "702,83");  // and it is given back afterwards
  std::setlocale(LC_ALL, "C");
}

}  // namespace
