#include "custom/media_row_match.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_block.h"

namespace {

using custom::ManufacturerSource;
using custom_test::CdRow;
using custom_test::DvdKeyOf;
using custom_test::DvdRow;

std::array<char, 6> Key(std::string_view text) {
  return CdRow(text, "", "").LeadInKey;
}

TEST(ReadCdKey, DecimalIntegersOnly) {
  struct Case {
    std::array<char, 6> key;
    std::optional<int64_t> value;
  };
  std::array<char, 6> embeddedNul = Key("12");
  embeddedNul[3] = '7';
  const std::vector<Case> cases = {
      {Key("972666"), 972666},
      {Key("000001"), 1},
      {Key("+12"), 12},
      {Key("-12"), -12},
      {Key("5"), 5},
      {embeddedNul, 12},
      {Key(""), std::nullopt},
      {Key("-"), std::nullopt},
      {Key("+-1"), std::nullopt},
      {Key(" 12"), std::nullopt},
      {Key("12 "), std::nullopt},
      {Key("0x1F"), std::nullopt},
      {Key("97:26"), std::nullopt},
      {Key("1e5"), std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(custom::ReadCdKey(c.key), c.value) << std::string(c.key.data(), 6);
  }
  // Six characters at most, even when the field has no NUL.
  EXPECT_EQ(custom::ReadCdKey(Key("123456")), 123456);
}

struct CdCase {
  const char* name;
  std::vector<custom::CdMediaEntry> user;
  std::vector<custom::CdMediaEntry> block;
  ManufacturerSource source;
  std::string text;
};

TEST(MatchCdRows, PrecedenceAndScanRules) {
  const auto both = CdRow("972666", "795974", "Block both keys");
  const auto leadInOnly = CdRow("972666", "000000", "Block lead-in only");
  const auto other = CdRow("975000", "795974", "Other disc");
  const auto empty = CdRow("", "", "");
  const std::vector<CdCase> cases = {
      {"no rows", {}, {}, ManufacturerSource::None, ""},
      {"user row on both keys wins over the block",
       {CdRow("972666", "795974", "User")},
       {both},
       ManufacturerSource::UserFile,
       "User"},
      {"user rows take leading zeros and signs",
       {CdRow("+97266", "795974", "No"), CdRow("0972666", "795974", "Cut"),
        CdRow("972666", "795974", "Yes")},
       {},
       ManufacturerSource::UserFile,
       "Yes"},
      {"user rows get no lead-in-only pass",
       {CdRow("972666", "111111", "User lead-in")},
       {},
       ManufacturerSource::None,
       ""},
      {"first of two user rows with the same keys",
       {CdRow("972666", "795974", "First"), CdRow("972666", "795974", "Second")},
       {},
       ManufacturerSource::UserFile,
       "First"},
      {"user row with a bad key is skipped, scan goes on",
       {CdRow("97266x", "795974", "Bad"), CdRow("", "795974", "Empty"),
        CdRow("972666", "795974", "Good")},
       {},
       ManufacturerSource::UserFile,
       "Good"},
      {"block row on both keys further down wins over lead-in only",
       {},
       {leadInOnly, other, both},
       ManufacturerSource::OemTable,
       "Block both keys"},
      {"block row on lead-in alone",
       {},
       {other, leadInOnly},
       ManufacturerSource::OemTable,
       "Block lead-in only"},
      {"block row with bad lead-out key still matches on lead-in",
       {},
       {CdRow("972666", "79:59", "Bad lead-out")},
       ManufacturerSource::OemTable,
       "Bad lead-out"},
      {"block row with bad lead-in key is skipped",
       {},
       {CdRow("97266A", "795974", "Bad"), both},
       ManufacturerSource::OemTable,
       "Block both keys"},
      {"empty lead-in key ends both block passes",
       {},
       {other, other, other, empty, both, leadInOnly},
       ManufacturerSource::None,
       ""},
      {"empty row 0 makes the table empty", {}, {empty, both}, ManufacturerSource::None, ""},
      {"lead-out key alone never matches",
       {},
       {CdRow("111111", "795974", "Lead-out")},
       ManufacturerSource::None,
       ""},
      {"empty display text still matches",
       {},
       {CdRow("972666", "795974", "")},
       ManufacturerSource::OemTable,
       ""},
  };
  for (const CdCase& c : cases) {
    const auto match = custom::MatchCdRows(c.user, c.block, 972666, 795974);
    EXPECT_EQ(match.source, c.source) << c.name;
    EXPECT_EQ(match.text, c.text) << c.name;
    EXPECT_EQ(match.Found(), c.source != ManufacturerSource::None) << c.name;
  }
}

TEST(MatchCdRows, NegativeKeysNeverMatchAndDiscNumbersCompareWhole) {
  const std::vector<custom::CdMediaEntry> rows = {CdRow("-1", "-1", "Negative"),
                                                  CdRow("000000", "000000", "Zero")};
  EXPECT_EQ(custom::MatchCdRows({}, rows, 0, 0).text, "Zero");
  EXPECT_FALSE(custom::MatchCdRows({}, rows, 972666, 795974).Found());
}

struct DvdCase {
  const char* name;
  std::vector<custom::DvdMediaEntry> user;
  std::vector<custom::DvdMediaEntry> block;
  custom::DvdKey disc;
  ManufacturerSource source;
  std::string text;
};

TEST(MatchDvdRows, ElevenBytesWithoutRegardToCase) {
  auto twelfth = DvdRow("RICOHJPNR02", "Twelfth byte differs");
  twelfth.MediaIdKey[11] = 0x7F;
  auto tenthDiffers = DvdRow("RICOHJPNR03", "Eleventh byte differs");
  const std::vector<custom::DvdMediaEntry> emptyTable(500, custom::DvdMediaEntry{});
  std::vector<custom::DvdMediaEntry> lastRow(500, DvdRow("ZZZZZZZZZZZ", "filler"));
  lastRow[499] = DvdRow("MCC 01RG20", "Row 499");
  const std::vector<DvdCase> cases = {
      {"user row wins",
       {DvdRow("RICOHJPNR02", "User")},
       {DvdRow("RICOHJPNR02", "Block")},
       DvdKeyOf("RICOHJPNR02"),
       ManufacturerSource::UserFile,
       "User"},
      {"case differs",
       {},
       {DvdRow("ricohjpnr02", "Lower")},
       DvdKeyOf("RICOHJPNR02"),
       ManufacturerSource::OemTable,
       "Lower"},
      {"twelfth byte never compared",
       {},
       {twelfth},
       DvdKeyOf("RICOHJPNR02"),
       ManufacturerSource::OemTable,
       "Twelfth byte differs"},
      {"eleventh byte compared",
       {},
       {tenthDiffers},
       DvdKeyOf("RICOHJPNR02"),
       ManufacturerSource::None,
       ""},
      {"case folding is for letters only",
       {},
       {DvdRow("RICOHJPN@02", "At")},
       DvdKeyOf("RICOHJPN`02"),
       ManufacturerSource::None,
       ""},
      {"empty rows do not end the scan",
       {},
       lastRow,
       DvdKeyOf("mcc 01rg20"),
       ManufacturerSource::OemTable,
       "Row 499"},
      {"eleven zero bytes match an empty row",
       {},
       emptyTable,
       custom::DvdKey{},
       ManufacturerSource::OemTable,
       ""},
      {"no match", {}, emptyTable, DvdKeyOf("RICOHJPNR02"), ManufacturerSource::None, ""},
  };
  for (const DvdCase& c : cases) {
    const auto match = custom::MatchDvdRows(c.user, c.block, c.disc);
    EXPECT_EQ(match.source, c.source) << c.name;
    EXPECT_EQ(match.text, c.text) << c.name;
  }
}

}  // namespace
