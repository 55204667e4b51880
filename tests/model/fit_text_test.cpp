// Cutting a text to its place: with a width measured per byte, the longest start that fits
// with the ellipsis, whole UTF-8 characters only.
#include "app/model/fit_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::model::CutToFit;

// Every byte one unit wide, the ellipsis (three bytes) too: a place of `width` units.
auto Within(size_t width) {
  return [width](const std::string& text) { return text.size() <= width; };
}

TEST(CutToFit, KeepsWhatFitsAndCutsTheRestWithAnEllipsis) {
  const struct {
    const char* name;
    std::string text;
    size_t width;
    std::string shown;
  } cases[] = {
      {"fits", "Select a writer", 15, "Select a writer"},
      {"one too long", "Select a writer", 14, "Select a wr\xE2\x80\xA6"},
      {"the blank before the cut goes", "Select a writer", 12, "Select a\xE2\x80\xA6"},
      {"no room but for the ellipsis", "Select", 3, "\xE2\x80\xA6"},
      {"a two-byte character is never split", "Caf\xC3\xA9 au lait", 7, "Caf\xE2\x80\xA6"},
      {"a two-byte character that fits whole stays", "Caf\xC3\xA9 au lait", 8,
       "Caf\xC3\xA9\xE2\x80\xA6"},
      {"empty", "", 0, ""},
  };
  for (const auto& c : cases) {
    const std::string shown = CutToFit(c.text, Within(c.width));
    EXPECT_EQ(shown, c.shown) << c.name;
  }
}

TEST(CutToFit, TheLongestStepTextAnEditionCarriesEndsInsideItsPlace) {
  // 255 characters of step 2 in a place for 100.
  const std::string text(255, 'x');
  const std::string shown = CutToFit(text, Within(100));
  EXPECT_EQ(shown.size(), 100u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "\xE2\x80\xA6");
  EXPECT_EQ(shown.substr(0, 97), text.substr(0, 97));
}

}  // namespace
