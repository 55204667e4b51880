#include "custom/apply_property_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "builder_fixtures.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace {

using custom::CustomizationBlock;
using custom_test::Lines;
using custom_test::ShippedBlock;

struct Field {
  const char* name;
  size_t offset;
  size_t width;
};

#define FIELD(Name) \
  { #Name, offsetof(CustomizationBlock, Name), sizeof(CustomizationBlock::Name) }
const std::vector<Field> kFields = {
    FIELD(Marker),       FIELD(BuildModeText), FIELD(ProgramName), FIELD(ReleaseDate),
    FIELD(MajorVersion), FIELD(MinorVersion),  FIELD(Revision),    FIELD(DriveModels),
    FIELD(Remark),       FIELD(Step1Text),     FIELD(Step2Text),   FIELD(Step3Text),
    FIELD(CdTable),      FIELD(DvdTable),
};
#undef FIELD

// Each changed field with its whole bytes as text: what a field shows up to its NUL, plus a
// note when anything but zeros follows the NUL.
std::map<std::string, std::string> ChangedFields(const CustomizationBlock& before,
                                                 const CustomizationBlock& after) {
  const auto a = custom_test::BytesOf(before);
  const auto b = custom_test::BytesOf(after);
  std::map<std::string, std::string> changed;
  for (const Field& field : kFields) {
    if (std::equal(a.begin() + field.offset, a.begin() + field.offset + field.width,
                   b.begin() + field.offset)) {
      continue;
    }
    const auto* start = reinterpret_cast<const char*>(b.data() + field.offset);
    std::string text(start, std::find(start, start + field.width, '\0'));
    if (!std::all_of(start + text.size(), start + field.width, [](char c) { return c == 0; })) {
      text += " <not zero-filled>";
    }
    changed[field.name] = text;
  }
  return changed;
}

struct FieldCase {
  std::string what;
  std::string file;
  std::map<std::string, std::string> changed;  // besides BuildModeText, always "BUILDMODE=0"
};

const std::string k70 = "Seventy characters: 123456789012345678901234567890123456789012345678901";

TEST(ApplyPropertyFile, FieldsKeysSectionsAndCuts) {
  const std::vector<FieldCase> cases = {
      {"empty file: only the build-mode text", "", {}},
      {"lower-case key", "[PROPERTY]\nname=Test", {{"ProgramName", "Test"}}},
      {"blank before the \"=\"", "[PROPERTY]\nNAME =Test\nNAME\t=Test", {}},
      {"blanks around the line trimmed, after \"=\" kept",
       "[PROPERTY]\n \t NAME=  Two blanks \t\r",
       {{"ProgramName", "  Two blanks"}}},
      {"headers in any case and with blanks",
       " [property] \nName=A\n\t[Step2]\nstep2=B\n[sTeP3]  \nSTEP3=C",
       {{"ProgramName", "A"}, {"Step2Text", "B"}, {"Step3Text", "C"}}},
      {"[CDX] is a data line, the section goes on",
       "[PROPERTY]\n[CDX]\nNAME=After",
       {{"ProgramName", "After"}}},
      {"a header with blanks inside is a data line", "[ PROPERTY]\nNAME=X", {}},
      {"data before the first header", "NAME=X\nSTEP1=Y\n[PROPERTY]", {}},
      {"70-character name cut to 63",
       "[PROPERTY]\nNAME=" + k70,
       {{"ProgramName", k70.substr(0, 63)}}},
      {"every property key and its cut",
       "[PROPERTY]\nMAJOR=12345\nMINOR=6\nREV=789\nDATE=2026/12/01 12:34:56\nMODEL=" +
           std::string(200, 'm'),
       {{"MajorVersion", "123"},
        {"MinorVersion", "6"},
        {"Revision", "789"},
        {"ReleaseDate", "2026/12/01 12:3"},
        {"DriveModels", std::string(127, 'm')}}},
      {"a shorter value leaves no tail of the longer one",
       "[PROPERTY]\nNAME=Quill-Rate\n",
       {{"ProgramName", "Quill-Rate"}}},
      {"keys of another section are ignored",
       "[PROPERTY]\nSTEP1=x\n[STEP1]\nNAME=y\nSTEP2=z\nSTEP1=own",
       {{"Step1Text", "own"}}},
      {"step texts cut to their fields",
       "[STEP1]\nSTEP1=" + std::string(70, '1') + "\n[STEP2]\nSTEP2=" + std::string(300, '2') +
           "\n[STEP3]\nSTEP3=" + std::string(64, '3'),
       {{"Step1Text", std::string(63, '1')},
        {"Step2Text", std::string(255, '2')},
        {"Step3Text", std::string(63, '3')}}},
      {"later values overwrite earlier ones, sections repeat",
       "[PROPERTY]\nNAME=A\n[STEP1]\nSTEP1=s\n[PROPERTY]\nNAME=B\nname=C",
       {{"ProgramName", "C"}, {"Step1Text", "s"}}},
      {"an empty value empties the field", "[PROPERTY]\nDATE=", {{"ReleaseDate", ""}}},
      {"three remark lines as the last section",
       "[REMARK]\nREMARK=A\nREMARK=B\nREMARK=C",
       {{"Remark", "A\nB\nC\n"}}},
      {"three remark lines, then another section",
       "[REMARK]\nREMARK=A\nREMARK=B\nREMARK=C\n[PROPERTY]\nNAME=N",
       {{"Remark", "A\nB\nC\n"}, {"ProgramName", "N"}}},
      {"remark: indents kept, empty values are empty lines, other lines ignored",
       "[remark]\nREMARK=    Indented\nnot a key\nREMARK=\nremark=last",
       {{"Remark", "    Indented\n\nlast\n"}}},
      {"remark stored at the end after a header without data",
       "[REMARK]\nREMARK=A\n[CD]",
       {{"Remark", "A\n"}}},
      {"a second [REMARK] starts again",
       "[REMARK]\nREMARK=A\n[REMARK]\nREMARK=B",
       {{"Remark", "B\n"}}},
      {"[REMARK] alone empties the remark", "[REMARK]", {{"Remark", ""}}},
      {"remark cut to 1023 characters",
       "[REMARK]\n" +
           [] {
             std::string lines;
             for (int i = 0; i < 20; ++i) lines += "REMARK=" + std::string(99, 'a' + i) + "\n";
             return lines;
           }(),
       {{"Remark",
         [] {
           std::string remark;
           for (int i = 0; i < 20; ++i) remark += std::string(99, 'a' + i) + "\n";
           return remark.substr(0, 1023);
         }()}}},
  };
  for (const FieldCase& c : cases) {
    const auto before = ShippedBlock('1');
    auto after = ShippedBlock('1');
    const auto result = custom::ApplyPropertyFile(Lines(c.file), *after);
    EXPECT_TRUE(result.ok) << c.what;
    auto expected = c.changed;
    expected["BuildModeText"] = "BUILDMODE=0";
    EXPECT_EQ(ChangedFields(*before, *after), expected) << c.what;
  }
}

// A taken row as "leadIn|leadOut|text" or "HEXKEY|text", checked for its NUL bytes.
std::string CdRowText(const custom::CdMediaEntry& row) {
  EXPECT_EQ(row.LeadInEnd, 0);
  EXPECT_EQ(row.LeadOutEnd, 0);
  EXPECT_EQ(row.DisplayTextEnd, 0);
  return std::string(text::TextOf(row.LeadInKey)) + "|" +
         std::string(text::TextOf(row.LeadOutKey)) + "|" + std::string(custom::DisplayTextOf(row));
}

std::string DvdRowText(const custom::DvdMediaEntry& row) {
  EXPECT_EQ(row.DisplayTextEnd, 0);
  std::string hex;
  for (uint8_t b : row.MediaIdKey) hex += text::FormatC("%02X", b);
  return hex + "|" + std::string(custom::DisplayTextOf(row));
}

template <typename Row>
bool IsZero(const Row& row) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&row);
  return std::all_of(bytes, bytes + sizeof row, [](uint8_t b) { return b == 0; });
}

struct RowCase {
  std::string what;
  std::string file;
  std::vector<std::string> cd;
  std::vector<std::string> dvd;
};

const std::string kKey = "4E4F52544857494E44303100";  // NORTHWIND01 and a zero byte
const std::string k47 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstu";

TEST(ApplyPropertyFile, CdAndDvdRows) {
  const std::vector<RowCase> cases = {
      {"the 14-character line is skipped, the 15-character one taken",
       "[CD]\n972500_795974=\n972500_795974=X",
       {"972500|795974|X"},
       {}},
      {"\"=\" in column 14 is enough, column 7 is dropped",
       "[CD]\n972500-795974=X\n972500_795974 Text",
       {"972500|795974|X", "972500|795974|Text"},
       {}},
      {"neither the first \"=\" in column 14 nor the first \"_\" in column 7",
       "[CD]\n972500-795974-X\n97=500-795974=X\n9_2500_795974-X\n",
       {},
       {}},
      {"blank lines and [CDX] inside [CD] are skipped",
       "[CD]\n972500_795974=A\n\n  \n[CDX]\n972666_795974=B",
       {"972500|795974|A", "972666|795974|B"},
       {}},
      {"CD text cut to 47, blanks after \"=\" kept",
       "[cd]\n972500_795974=" + k47 + "xyz\n972500_795974=  two",
       {"972500|795974|" + k47, "972500|795974|  two"},
       {}},
      {"a second [CD] section starts again at row 0",
       "[CD]\n972500_795974=A\n972501_795974=B\n[DVD]\n" + kKey + "=D\n[CD]\n972666_795974=C",
       {"972666|795974|C"},
       {kKey + "|D"}},
      {"DVD \"=\" in columns 24, 25 and 26",
       "[DVD]\n" + kKey.substr(0, 23) + "=X23\n" + kKey + "=X25\n" + kKey + "0=X26",
       {},
       {kKey + "|X25"}},
      {"DVD keys in lower case, text cut to 47",
       "[DVD]\n4e4f52544857494e44303100=" + k47 + "xyz",
       {},
       {kKey + "|" + k47}},
      {"a short DVD line with a bad pair is only skipped",
       "[DVD]\nZZ=short\n" + kKey + "=",
       {},
       {}},
  };
  for (const RowCase& c : cases) {
    auto block = ShippedBlock();
    const auto result = custom::ApplyPropertyFile(Lines(c.file), *block);
    EXPECT_TRUE(result.ok) << c.what;
    std::vector<std::string> cd;
    for (size_t i = 0; i < c.cd.size(); ++i) cd.push_back(CdRowText(block->CdTable[i]));
    EXPECT_EQ(cd, c.cd) << c.what;
    std::vector<std::string> dvd;
    for (size_t i = 0; i < c.dvd.size(); ++i) dvd.push_back(DvdRowText(block->DvdTable[i]));
    EXPECT_EQ(dvd, c.dvd) << c.what;
    for (size_t i = c.cd.size(); i < custom::kMediaTableRows; ++i) {
      ASSERT_TRUE(IsZero(block->CdTable[i])) << c.what << ": CD row " << i;
    }
    for (size_t i = c.dvd.size(); i < custom::kMediaTableRows; ++i) {
      ASSERT_TRUE(IsZero(block->DvdTable[i])) << c.what << ": DVD row " << i;
    }
  }
}

TEST(ApplyPropertyFile, TablesKeepTheFirst500RowsOfASection) {
  std::string file = "[CD]\n";
  for (size_t n = 0; n < 600; ++n) file += custom_test::CdLine(n) + "\n";
  // Past the 500th row even a bad pair is never converted.
  file += "[DVD]\n";
  for (size_t n = 0; n < 500; ++n) file += text::FormatC("%024zX=Disc %zu\n", n, n);
  file += "ZZ4F52544857494E44303100=Never read\n";
  auto block = ShippedBlock();
  ASSERT_TRUE(custom::ApplyPropertyFile(Lines(file), *block).ok);
  EXPECT_EQ(CdRowText(block->CdTable[0]), "000000|795974|Row 0");
  EXPECT_EQ(CdRowText(block->CdTable[499]), "000499|795974|Row 499");
  EXPECT_EQ(DvdRowText(block->DvdTable[499]), "0000000000000000000001F3|Disc 499");
}

struct BadPairCase {
  std::string file;
  std::string error;
  size_t line;
};

TEST(ApplyPropertyFile, BadHexPairStopsWithTheConversionError) {
  const std::vector<BadPairCase> cases = {
      {"[DVD]\nZZ4F52544857494E44303100=X", "'0xZZ' is not a valid integer value", 1},
      {"[DVD]\n" + kKey + "=A\n4E4F52544857494E4430310G=B", "'0x0G' is not a valid integer value",
       2},
      {"[PROPERTY]\nNAME=A\n[dvd]\n4E-F52544857494E44303100=B\n[PROPERTY]\nNAME=Never",
       "'0x-F' is not a valid integer value", 3},
  };
  for (const BadPairCase& c : cases) {
    auto block = ShippedBlock();
    const auto result = custom::ApplyPropertyFile(Lines(c.file), *block);
    EXPECT_FALSE(result.ok) << c.file;
    EXPECT_EQ(result.error, c.error) << c.file;
    EXPECT_EQ(result.line, c.line) << c.file;
  }
}

}  // namespace
