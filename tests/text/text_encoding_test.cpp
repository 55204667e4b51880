// How the program's 8-bit texts are shown: UTF-8 when they are UTF-8, Windows-1252 otherwise,
// control characters visible, and fields cut between characters.
#include "text/text_encoding.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <array>

#include "text/fixed_text.h"

namespace {

using text::LineBreaks;

TEST(TextEncoding, Utf8IsTakenAsItStandsAndAnythingElseAsWindows1252) {
  const struct {
    std::string text;
    bool utf8;
    std::string shown;
  } cases[] = {
      {"plain ASCII", true, "plain ASCII"},
      {"Disque \xC3\x89"
       "diteur",
       true,
       "Disque \xC3\x89"
       "diteur"},  // UTF-8 É
      {"Disque \xC9"
       "diteur",
       false,
       "Disque \xC3\x89"
       "diteur"},                                                       // Windows-1252 É
      {"\x80 \x9F \x81", false, "\xE2\x82\xAC \xC5\xB8 \xEF\xBF\xBD"},  // € Ÿ and an unused byte
      {"\xE2\x82\xAC 4-byte \xF0\x9F\x92\xBF", true, "\xE2\x82\xAC 4-byte \xF0\x9F\x92\xBF"},
      {"overlong \xC0\xAF", false, "overlong \xC3\x80\xC2\xAF"},
      {"surrogate \xED\xA0\x80", false, "surrogate \xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"cut \xE2\x82", false, "cut \xC3\xA2\xE2\x80\x9A"},
      {"above U+10FFFF \xF4\x90\x80\x80", false,
       "above U+10FFFF \xC3\xB4\xEF\xBF\xBD\xE2\x82\xAC\xE2\x82\xAC"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::IsUtf8(c.text), c.utf8) << c.text;
    EXPECT_EQ(text::TextToUtf8(c.text), c.shown) << c.text;
  }
}

TEST(TextEncoding, ControlCharactersAreShownNotObeyed) {
  const struct {
    std::string text;
    LineBreaks breaks;
    std::string shown;
  } cases[] = {
      // ESC ] 0 ; title BEL retitles a terminal; CR and LF would start a forged line.
      {"VEXO\x1B]0;owned\x07", LineBreaks::Shown, "VEXO\xE2\x90\x9B]0;owned\xE2\x90\x87"},
      {"A\nB\rDE", LineBreaks::Shown,
       "A\xE2\x90\x8A"
       "B\xE2\x90\x8D"
       "DE"},
      {"A\nB\rDE", LineBreaks::Kept,
       "A\nB\xE2\x90\x8D"
       "DE"},
      {std::string("nul\0tab\tdel\x7F", 12), LineBreaks::Shown,
       "nul\xE2\x90\x80tab\xE2\x90\x89"
       "del\xE2\x90\xA1"},
      // A C1 control written in UTF-8 (CSI) is no less a control.
      {"csi \xC2\x9B"
       "2J",
       LineBreaks::Shown,
       "csi \xEF\xBF\xBD"
       "2J"},
      // In Windows-1252 the same byte is a printable character.
      {"\x9B \xC9", LineBreaks::Shown, "\xE2\x80\xBA \xC3\x89"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::VisibleText(c.text, c.breaks), c.shown) << c.text;
}

TEST(TextEncoding, AFieldCutToItsWidthNeverSplitsACharacter) {
  const struct {
    std::string text;
    size_t width;
    size_t cut;
  } cases[] = {
      {"abcdef", 4, 4},
      {"ab", 4, 2},
      {"ab\xC3\x89z", 3, 2},         // the É would be split: it goes whole
      {"ab\xC3\x89z", 4, 4},         // it fits
      {"a\xF0\x9F\x92\xBFz", 3, 1},  // a four-byte character
      {"ab\xC9z", 3, 3},             // Windows-1252: one byte, one character
      {"ab\xC3\x89\xFF", 3, 3},      // not UTF-8 as a whole: bytes are characters
  };
  for (const auto& c : cases) EXPECT_EQ(text::CutLength(c.text, c.width), c.cut) << c.text;

  std::array<char, 5> field{};
  text::SetText(field, "abc\xC3\x89");  // 4 bytes fit, the É would be split
  EXPECT_EQ(std::string(text::TextOf(field)), "abc");
}

}  // namespace

TEST(TextEncoding, JsonKeepsItsTextAndEscapesWhatATerminalWouldObey) {
  const struct {
    std::string dumped;
    std::string escaped;
  } cases[] = {
      {R"({"a":"plain é ✓"})", R"({"a":"plain é ✓"})"},
      {"{\"a\":\"\xC2\x9B"
       "2J\"}",
       R"({"a":"\u009b2J"})"},
      {"{\"a\":\"\xC2\x80\xC2\x9F\xC2\xA0\"}", "{\"a\":\"\\u0080\\u009f\xC2\xA0\"}"},
      {"{\"a\":\"\x7F\"}", R"({"a":"\u007f"})"},
      {"\xC2", "\xC2"},  // a cut sequence at the end stays as it was
  };
  for (const auto& c : cases) {
    const std::string escaped = text::EscapeJsonControls(c.dumped);
    EXPECT_EQ(escaped, c.escaped);
    if (nlohmann::json::accept(c.dumped)) {
      EXPECT_EQ(nlohmann::json::parse(escaped), nlohmann::json::parse(c.dumped)) << c.escaped;
    }
  }
}
