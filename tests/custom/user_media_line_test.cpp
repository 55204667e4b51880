#include "custom/user_media_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/fixed_text.h"
#include "text/format_c.h"

namespace {

using custom::UserMediaLineKind;
using custom::UserMediaSection;
using custom::UserMediaSkipReason;
using Kind = UserMediaLineKind;
using Reason = UserMediaSkipReason;
using Section = UserMediaSection;

// What a taken row holds, as one comparable text: "leadIn|leadOut|text" for CD rows,
// "HEXKEY|text" for DVD rows.
std::string RowText(const custom::UserMediaLine& line) {
  if (line.kind == Kind::CdRow) {
    return std::string(text::TextOf(line.cd.LeadInKey)) + "|" +
           std::string(text::TextOf(line.cd.LeadOutKey)) + "|" +
           std::string(custom::DisplayTextOf(line.cd));
  }
  if (line.kind == Kind::DvdRow) {
    std::string hex;
    for (uint8_t b : line.dvd.MediaIdKey) hex += text::FormatC("%02X", b);
    return hex + "|" + std::string(custom::DisplayTextOf(line.dvd));
  }
  return {};
}

struct LineCase {
  Section section;
  std::string line;
  Kind kind;
  Reason reason;
  std::string row;
  Section after;
};

const std::string kText47 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstu";
const std::string kRicoh = "5249434F484A504E52303200";

TEST(ParseUserMediaLine, HeadersSectionsAndLineTests) {
  const std::vector<LineCase> cases = {
      // Headers: any case, blanks and tabs around them, nothing else inside the brackets.
      {Section::None, "[CD]", Kind::CdHeader, Reason::None, "", Section::Cd},
      {Section::Dvd, " \t[cd]\t ", Kind::CdHeader, Reason::None, "", Section::Cd},
      {Section::Cd, "[dVd]", Kind::DvdHeader, Reason::None, "", Section::Dvd},
      {Section::None, "[ CD]", Kind::Skipped, Reason::NoSection, "", Section::None},
      {Section::Cd, "[CDROM]", Kind::Skipped, Reason::CdTooShort, "", Section::Cd},
      {Section::Dvd, "[DVD ]", Kind::Skipped, Reason::DvdTooShort, "", Section::Dvd},
      {Section::None, "", Kind::Blank, Reason::None, "", Section::None},
      {Section::Cd, " \t\r ", Kind::Blank, Reason::None, "", Section::Cd},
      // Data before the first header is ignored, well-formed or not.
      {Section::None, "972666_795974=CMC", Kind::Skipped, Reason::NoSection, "", Section::None},
      // CD lines.
      {Section::Cd, "972666_795974=CMC Magnetics", Kind::CdRow, Reason::None,
       "972666|795974|CMC Magnetics", Section::Cd},
      {Section::Cd, "972666x795974=Equals only", Kind::CdRow, Reason::None,
       "972666|795974|Equals only", Section::Cd},
      {Section::Cd, "972666_795974 Text=After", Kind::CdRow, Reason::None,
       "972666|795974|Text=After", Section::Cd},
      {Section::Cd, "972666x795974xText", Kind::Skipped, Reason::CdNoSeparator, "", Section::Cd},
      {Section::Cd, "97266_795974=AB", Kind::Skipped, Reason::CdNoSeparator, "", Section::Cd},
      // Only the first "=" and the first "_" count.
      {Section::Cd, "97=666x795974=Text", Kind::Skipped, Reason::CdNoSeparator, "", Section::Cd},
      {Section::Cd, "9_2666_795974xText", Kind::Skipped, Reason::CdNoSeparator, "", Section::Cd},
      {Section::Dvd, "52=9434F484A504E52303200=X", Kind::Skipped, Reason::DvdNoEquals, "",
       Section::Dvd},
      {Section::Cd, "972666_795974=X", Kind::CdRow, Reason::None, "972666|795974|X", Section::Cd},
      {Section::Cd, "972666_795974=", Kind::Skipped, Reason::CdTooShort, "", Section::Cd},
      {Section::Cd, "  \t972666_795974=Padded \t ", Kind::CdRow, Reason::None,
       "972666|795974|Padded", Section::Cd},
      {Section::Cd, "972666_795974= a = b", Kind::CdRow, Reason::None, "972666|795974| a = b",
       Section::Cd},
      {Section::Cd, "ABCDEF_GHIJKL=Keys as they stand", Kind::CdRow, Reason::None,
       "ABCDEF|GHIJKL|Keys as they stand", Section::Cd},
      {Section::Cd, "972666_795974=" + kText47 + "0123456789012345678", Kind::CdRow, Reason::None,
       "972666|795974|" + kText47, Section::Cd},
      // DVD lines.
      {Section::Dvd, kRicoh + "=Ricoh", Kind::DvdRow, Reason::None, kRicoh + "|Ricoh",
       Section::Dvd},
      {Section::Dvd, "5249434f484a504e52303200=Lower", Kind::DvdRow, Reason::None,
       kRicoh + "|Lower", Section::Dvd},
      {Section::Dvd, kRicoh + "=R", Kind::DvdRow, Reason::None, kRicoh + "|R", Section::Dvd},
      {Section::Dvd, kRicoh + "=", Kind::Skipped, Reason::DvdTooShort, "", Section::Dvd},
      {Section::Dvd, kRicoh + "=a=b", Kind::DvdRow, Reason::None, kRicoh + "|a=b", Section::Dvd},
      {Section::Dvd, "5249434F484A504E523032=Short", Kind::Skipped, Reason::DvdNoEquals, "",
       Section::Dvd},
      {Section::Dvd, kRicoh + "0=Long", Kind::Skipped, Reason::DvdNoEquals, "", Section::Dvd},
      {Section::Dvd, "5249434F484A504E5230320G=Bad", Kind::Skipped, Reason::DvdNotHex, "",
       Section::Dvd},
      {Section::Dvd, "+249434F484A504E52303200=Sign", Kind::Skipped, Reason::DvdNotHex, "",
       Section::Dvd},
      {Section::Dvd, kRicoh + "=" + kText47 + "0123456789012345678", Kind::DvdRow, Reason::None,
       kRicoh + "|" + kText47, Section::Dvd},
  };
  for (const LineCase& c : cases) {
    Section section = c.section;
    const auto parsed = custom::ParseUserMediaLine(c.line, section);
    EXPECT_EQ(parsed.kind, c.kind) << c.line;
    EXPECT_EQ(parsed.reason, c.reason) << c.line;
    EXPECT_EQ(RowText(parsed), c.row) << c.line;
    EXPECT_EQ(section, c.after) << c.line;
  }
}

TEST(ParseUserMediaLine, CutLinesKeepTheirRowBytesZero) {
  Section section = Section::Cd;
  const auto cd = custom::ParseUserMediaLine("972666_795974=" + std::string(80, 'x'), section);
  ASSERT_EQ(cd.kind, Kind::CdRow);
  EXPECT_EQ(cd.cd.LeadInEnd, 0);
  EXPECT_EQ(cd.cd.LeadOutEnd, 0);
  EXPECT_EQ(cd.cd.DisplayTextEnd, 0);
  section = Section::Dvd;
  const auto dvd = custom::ParseUserMediaLine(kRicoh + "=" + std::string(80, 'x'), section);
  ASSERT_EQ(dvd.kind, Kind::DvdRow);
  EXPECT_EQ(dvd.dvd.DisplayTextEnd, 0);
}

TEST(ParseUserMediaLine, NotHexNamesTheFirstBadPair) {
  Section section = Section::Dvd;
  const auto parsed = custom::ParseUserMediaLine("52494Z4F484A504E5230320G=Bad", section);
  EXPECT_EQ(parsed.badPair, 3);
  EXPECT_EQ(custom::SkipReasonText(parsed), "not hexadecimal: pair 3 (positions 5-6)");
}

TEST(TrimUserMediaLine, RemovesCodesUpToSpaceOnly) {
  using namespace std::string_literals;
  EXPECT_EQ(custom::TrimUserMediaLine("\x01\x1F \tab c\r\n\0"s), "ab c");
  EXPECT_EQ(custom::TrimUserMediaLine("\xA0x\x7F"), "\xA0x\x7F");
}

}  // namespace
