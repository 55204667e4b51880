#include "custom/user_media_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "custom/property_file.h"
#include "custom/user_file_button.h"
#include "platform/sim/sim_system.h"
#include "settings/os_info.h"
#include "temp_dir.h"

namespace {

using namespace std::string_literals;
using custom::UserMediaFileStatus;

std::vector<std::string> CdTexts(const custom::UserMediaRows& rows) {
  std::vector<std::string> texts;
  for (const auto& row : rows.cd) texts.emplace_back(custom::DisplayTextOf(row));
  return texts;
}

std::vector<std::string> DvdTexts(const custom::UserMediaRows& rows) {
  std::vector<std::string> texts;
  for (const auto& row : rows.dvd) texts.emplace_back(custom::DisplayTextOf(row));
  return texts;
}

std::string Registered(sim::SimSystem& system) {
  std::array<char, 256> value{};
  if (!settings::OSInfo::ReadRegString(system, "Quillrate", "UserDefinedFule", value))
    return "<none>";
  return value.data();
}

class UserMediaFileTest : public testing::Test {
 protected:
  void Register(const std::string& path) {
    ASSERT_TRUE(settings::OSInfo::WriteRegString(system, "Quillrate", "UserDefinedFule", path));
  }
  custom::UserMediaRows Load(const std::string& contents) {
    Register(dir.Write("media.txt", contents));
    custom::UserMediaRows rows;
    EXPECT_EQ(custom::LoadUserMediaFile(system, rows).status, UserMediaFileStatus::Read);
    return rows;
  }

  sim::SimSystem system{sim::Machine{}};
  custom_test::TempDir dir;
};

const std::string kDvdKey = "5249434F484A504E52303200";

TEST_F(UserMediaFileTest, RepeatedSectionsOnlyAddRowsInFileOrder) {
  const auto rows = Load(
      "972666_795974=Before any header\n"
      "[DVD]\n" +
      kDvdKey +
      "=Dvd one\n"
      "[cd]\n"
      "972666_795974=Cd one\n"
      "[DVD]\n" +
      kDvdKey +
      "=Dvd two\n"
      "  [Cd]  \n"
      "972666_795974=Cd two\n"
      "972666_795974=Cd two\n");
  EXPECT_EQ(CdTexts(rows), (std::vector<std::string>{"Cd one", "Cd two", "Cd two"}));
  EXPECT_EQ(DvdTexts(rows), (std::vector<std::string>{"Dvd one", "Dvd two"}));
  EXPECT_EQ(rows.dvd[0].MediaIdKey[0], 0x52);
  EXPECT_EQ(rows.dvd[0].MediaIdKey[11], 0x00);
}

TEST_F(UserMediaFileTest, BadHexLineIsSkippedAndLoadingGoesOn) {
  const auto rows = Load("[DVD]\n" + kDvdKey + "=Before\n" + "ZZ" + kDvdKey.substr(2) + "=Bad\n" +
                         kDvdKey + "=After\n");
  EXPECT_EQ(DvdTexts(rows), (std::vector<std::string>{"Before", "After"}));
}

TEST_F(UserMediaFileTest, CrLfLineEndsAndNoFinalLineEnd) {
  const auto rows = Load("[CD]\r\n972666_795974=Windows line\r\n972666_795974=Last line");
  EXPECT_EQ(CdTexts(rows), (std::vector<std::string>{"Windows line", "Last line"}));
}

// A NUL byte would end a row's text without a word: the row is skipped, and the check names
// its line. At the ends of a line it is trimmed like any control character.
TEST_F(UserMediaFileTest, ARowWithANulByteIsSkippedWithItsLine) {
  const std::string text =
      "\0\0[CD]\0\n972666_795974=CMC\0Magnetics\n972666_795974=Kept\0\n[DVD]\n"s + kDvdKey +
      "=Ricoh\0\0DVD\n"s;
  const auto rows = Load(text);
  EXPECT_EQ(CdTexts(rows), (std::vector<std::string>{"Kept"}));
  EXPECT_TRUE(rows.dvd.empty());
  // Not "nul.txt": Windows takes that name for its null device.
  const auto check = custom::CheckUserMediaFile(dir.Write("nul-byte.txt", text));
  ASSERT_EQ(check.skipped.size(), 2u);
  EXPECT_EQ(check.skipped[0].position.line, 2u);
  EXPECT_EQ(check.skipped[0].line.reason, custom::UserMediaSkipReason::NulByte);
  EXPECT_EQ(custom::SkipReasonText(check.skipped[0].line),
            "holds a NUL byte at position 18, where its text would end");
  EXPECT_EQ(check.skipped[1].position.line, 5u);
  EXPECT_EQ(custom::SkipReasonText(check.skipped[1].line),
            "holds a NUL byte at position 31, where its text would end");
}

// An editor's byte-order mark before the first header loses no section.
TEST_F(UserMediaFileTest, AByteOrderMarkBeforeTheFirstLineIsSkipped) {
  for (const std::string& first : {"[CD]"s, "[cd]"s, "  [CD]"s}) {
    const auto rows = Load("\xEF\xBB\xBF" + first + "\n972666_795974=First section\n");
    EXPECT_EQ(CdTexts(rows), (std::vector<std::string>{"First section"})) << first;
  }
  // Only at the start of the file: elsewhere the bytes are the line's own.
  const auto check = custom::CheckUserMediaFile(dir.Write("bom.txt",
                                                          "[CD]\n\xEF\xBB\xBF"
                                                          "972666_795974=Later\n"));
  ASSERT_EQ(check.skipped.size(), 1u);
  EXPECT_EQ(check.skipped[0].position.line, 2u);
  // The builder's property file goes through the same reader.
  std::vector<std::string> lines;
  ASSERT_EQ(custom::ReadPropertyFile(
                dir.Write("edition.properties", "\xEF\xBB\xBF[PROPERTY]\nNAME=Mine\n"), lines)
                .status,
            UserMediaFileStatus::Read);
  EXPECT_EQ(lines, (std::vector<std::string>{"[PROPERTY]", "NAME=Mine"}));
}

TEST_F(UserMediaFileTest, LongLinesAreTakenInPiecesOf2047Characters) {
  const std::string header = std::string(2042, ' ') + "[DVD]";  // exactly one piece
  const auto rows = Load(header + "\n" + kDvdKey + "=Long " + std::string(3000, 'x') + "\n" +
                         kDvdKey + "=Next\n");
  // The long line's first piece is a row; its 2nd piece (x...) fails the DVD tests.
  EXPECT_EQ(DvdTexts(rows), (std::vector<std::string>{"Long " + std::string(42, 'x'), "Next"}));
}

TEST_F(UserMediaFileTest, PiecesCountTheLineEnd) {
  // 2046 characters and the line end fit one piece; 2047 characters push the line end into
  // a second, empty piece; a header cut by the piece boundary is no header.
  const std::string path =
      dir.Write("pieces.txt", "[CD]\n" + std::string(2046, 'a') + "\n" + std::string(2047, 'b') +
                                  "\n" + std::string(2045, ' ') + "[CD]\nend\n");
  std::vector<std::pair<size_t, size_t>> positions;
  std::vector<size_t> lengths;
  ASSERT_EQ(custom::ReadUserMediaFile(
                path,
                [&](const custom::UserMediaLinePosition& p, std::string_view piece) {
                  positions.emplace_back(p.line, p.part);
                  lengths.push_back(piece.size());
                })
                .status,
            UserMediaFileStatus::Read);
  EXPECT_EQ(positions, (std::vector<std::pair<size_t, size_t>>{
                           {1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 1}, {4, 2}, {5, 1}}));
  EXPECT_EQ(lengths, (std::vector<size_t>{4, 2046, 2047, 0, 2047, 2, 3}));
  const auto check = custom::CheckUserMediaFile(path);
  ASSERT_EQ(check.skipped.size(), 5u);
  EXPECT_EQ(check.skipped[2].line.text, "[C");
  EXPECT_EQ(check.skipped[3].line.text, "D]");
  EXPECT_EQ(check.headers, 1u);
}

TEST_F(UserMediaFileTest, NoFileLeavesTheListsEmpty) {
  struct Case {
    const char* name;
    std::optional<std::string> value;
  };
  const std::vector<Case> cases = {
      {"no value", std::nullopt},
      {"empty value", ""s},
      {"missing file", dir.Path() + "/missing.txt"},
      {"directory", dir.Path()},
      {"value longer than 255", dir.Write(std::string(250, 'm'), "[CD]\n972666_795974=X\n")},
  };
  for (const Case& c : cases) {
    sim::SimSystem fresh{sim::Machine{}};
    if (c.value) {
      settings::OSInfo::WriteRegString(fresh, "Quillrate", "UserDefinedFule", *c.value);
    }
    custom::UserMediaRows rows;
    rows.cd.resize(2);
    rows.dvd.resize(3);
    EXPECT_EQ(custom::LoadUserMediaFile(fresh, rows).status, UserMediaFileStatus::NoFile) << c.name;
    EXPECT_TRUE(rows.cd.empty()) << c.name;
    EXPECT_TRUE(rows.dvd.empty()) << c.name;
  }
}

TEST_F(UserMediaFileTest, CheckReportsRowsAndSkippedLinesWithLineNumbers) {
  const std::string path =
      dir.Write("check.txt",
                "972666_795974=Early\n"
                "[CD]\n"
                "\n"
                "972666_795974=Good\n"
                "9726=short\n"
                "972666x795974xNone\n"
                "[DVD]\n" +
                    kDvdKey.substr(0, 22) + "=Misplaced\n" + kDvdKey + "=Dvd\n");
  const auto check = custom::CheckUserMediaFile(path);
  ASSERT_EQ(check.status, UserMediaFileStatus::Read);
  ASSERT_EQ(check.taken.size(), 2u);
  EXPECT_EQ(check.taken[0].position.line, 4u);
  EXPECT_EQ(check.taken[1].position.line, 9u);
  EXPECT_EQ(check.taken[1].line.kind, custom::UserMediaLineKind::DvdRow);
  std::vector<std::pair<size_t, custom::UserMediaSkipReason>> skipped;
  for (const auto& entry : check.skipped)
    skipped.emplace_back(entry.position.line, entry.line.reason);
  using R = custom::UserMediaSkipReason;
  EXPECT_EQ(
      skipped,
      (std::vector<std::pair<size_t, R>>{
          {1, R::NoSection}, {5, R::CdTooShort}, {6, R::CdNoSeparator}, {8, R::DvdNoEquals}}));
  EXPECT_EQ(custom::CheckUserMediaFile(dir.Path()).status, UserMediaFileStatus::NoFile);
}

class UserFileButtonTest : public UserMediaFileTest {
 protected:
  custom::UserFileButtonResult Press(const std::optional<std::string>& chosen) {
    messages.clear();
    return custom::AddOrRemoveUserFile(system, chosen, rows, [&](const std::string& text) {
      messages.push_back(text);
      rowsAtMessage = rows.cd.size();
    });
  }
  custom::UserMediaRows rows;
  std::vector<std::string> messages;
  size_t rowsAtMessage = 0;
};

TEST_F(UserFileButtonTest, AddingReplacesTheRowsOfTheFileBefore) {
  const std::string first = dir.Write("first.txt", "[CD]\n972666_795974=First\n");
  const std::string second = dir.Write("second.txt", "[CD]\n972666_795974=Second\n");
  EXPECT_TRUE(Press(first).added);
  EXPECT_EQ(messages, std::vector<std::string>{"User-defined file added !"});
  EXPECT_EQ(Registered(system), first);
  EXPECT_EQ(CdTexts(rows), std::vector<std::string>{"First"});
  Press(second);
  EXPECT_EQ(rowsAtMessage, 1u);  // the message comes before the reload
  EXPECT_EQ(CdTexts(rows), std::vector<std::string>{"Second"});
}

TEST_F(UserFileButtonTest, CancellingOrAnEmptyNameRemoves) {
  for (const std::optional<std::string>& chosen :
       {std::optional<std::string>{}, std::optional{""s}}) {
    Register(dir.Write("old.txt", "[CD]\n972666_795974=Old\n"));
    custom::LoadUserMediaFile(system, rows);
    ASSERT_EQ(rows.cd.size(), 1u);
    const auto result = Press(chosen);
    EXPECT_FALSE(result.added);
    EXPECT_TRUE(result.settingWritten);
    EXPECT_EQ(messages, std::vector<std::string>{"User-defined file removed !"});
    EXPECT_EQ(rowsAtMessage, 0u);
    EXPECT_TRUE(rows.cd.empty());
    EXPECT_EQ(Registered(system), "");
  }
}

TEST_F(UserFileButtonTest, CancellingWithNothingRegisteredStillWritesTheEmptyValue) {
  ASSERT_EQ(Registered(system), "<none>");
  Press(std::nullopt);
  EXPECT_EQ(messages, std::vector<std::string>{"User-defined file removed !"});
  EXPECT_EQ(Registered(system), "");
}

TEST_F(UserFileButtonTest, FailedWriteStillShowsTheMessageAndReloadsWhatIsRegistered) {
  const std::string old = dir.Write("old.txt", "[CD]\n972666_795974=Old\n");
  Register(old);
  system.Registry().writesFail = true;
  const auto result = Press(dir.Write("new.txt", "[CD]\n972666_795974=New\n"));
  EXPECT_FALSE(result.settingWritten);
  EXPECT_EQ(messages, std::vector<std::string>{"User-defined file added !"});
  EXPECT_EQ(CdTexts(rows), std::vector<std::string>{"Old"});
}

}  // namespace
