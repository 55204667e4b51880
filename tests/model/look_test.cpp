// The look both views draw from: where the title bar's buttons and caption go, which families
// stand in for a layout's font, how the message box fits its text, and how a colour with
// transparency shows on a view that paints without it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/look/fonts.h"
#include "app/look/frame.h"
#include "app/look/palette.h"
#include "app/look/small_windows.h"

namespace {

namespace look = app::look;
using look::LayoutRect;

bool SameRect(const LayoutRect& a, const LayoutRect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(LookFrame, TitleButtonsSitAtTheirPlacesForEachSetOfButtons) {
  const struct {
    const char* name;
    int buttons;
    look::TitleButton button;
    LayoutRect at;
  } cases[] = {
      // The main window (479 wide) with all four: close at the right edge, then maximise and
      // minimise, two pixels apart; the system menu at the left.
      {"close, all four", look::kAllTitleButtons, look::kClose, {458, 4, 17, 15}},
      {"maximise, all four", look::kAllTitleButtons, look::kMaximize, {439, 4, 17, 15}},
      {"minimise, all four", look::kAllTitleButtons, look::kMinimize, {420, 4, 17, 15}},
      {"system menu, all four", look::kAllTitleButtons, look::kSystemMenu, {4, 4, 15, 15}},
      // The about box's close button alone takes the close button's place.
      {"close alone", look::kClose, look::kClose, {458, 4, 17, 15}},
      // Without maximise, minimise moves up next to close.
      {"minimise without maximise",
       look::kClose | look::kMinimize,
       look::kMinimize,
       {439, 4, 17, 15}},
      {"a button the frame does not show", look::kClose, look::kMinimize, {0, 0, 0, 0}},
      {"no button", look::kAllTitleButtons, look::kNoButton, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const LayoutRect at = look::TitleButtonRect(479, c.buttons, c.button);
    EXPECT_TRUE(SameRect(at, c.at))
        << c.name << ": " << at.left << "," << at.top << " " << at.width << "x" << at.height;
  }
}

TEST(LookFrame, EachButtonIsFoundUnderItsOwnPlaceAndTheCaptionBesideThem) {
  for (int buttons : {0, int{look::kClose}, look::kAllTitleButtons,
                      look::kClose | look::kSystemMenu, look::kClose | look::kMinimize}) {
    SCOPED_TRACE(buttons);
    const LayoutRect caption = look::CaptionRect(341, buttons);
    EXPECT_GT(caption.width, 0);
    for (look::TitleButton b : look::kTitleButtons) {
      const LayoutRect at = look::TitleButtonRect(341, buttons, b);
      if ((buttons & b) == 0) {
        EXPECT_EQ(at.width, 0);
        continue;
      }
      EXPECT_EQ(look::TitleButtonAt(341, buttons, at.left, at.top), b);
      EXPECT_EQ(look::TitleButtonAt(341, buttons, at.left + at.width - 1, at.top + at.height - 1),
                b);
      EXPECT_FALSE(Overlap(at, caption)) << "the caption runs under button " << b;
    }
    EXPECT_EQ(look::TitleButtonAt(341, buttons, caption.left, caption.top), look::kNoButton);
  }
}

TEST(LookFrame, TheCaptionStartsAfterTheSystemMenuOrAtTheLeftMargin) {
  EXPECT_EQ(look::CaptionRect(479, look::kAllTitleButtons).left, 24);
  EXPECT_EQ(look::CaptionRect(479, look::kClose).left, 8);
  EXPECT_EQ(look::CaptionRect(479, 0).width, 479 - 6 - 8);
  EXPECT_EQ(look::CaptionRect(479, look::kClose).height, look::kTitleBarHeight);
}

TEST(LookFonts, EveryLayoutFamilyTriesItselfFirstThenStandInsOfItsKind) {
  const struct {
    const char* family;
    bool fixed;
  } cases[] = {
      {"Courier New", true}, {"Verdana", false}, {"Tahoma", false}, {"MS Sans Serif", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family);
    const std::string family = c.family;
    const auto candidates = look::FontCandidates(family);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(candidates.front(), family);
    EXPECT_EQ(look::IsFixedPitch(family), c.fixed);
    std::set<std::string_view> seen;
    for (std::string_view candidate : candidates) {
      EXPECT_TRUE(seen.insert(candidate).second) << candidate << " is tried twice";
      // A proportional face never stands in for the fixed-pitch one, nor the other way.
      const bool mono = candidate.find("Mono") != std::string_view::npos ||
                        candidate == "Courier New" || candidate == "Cousine";
      EXPECT_EQ(mono, c.fixed) << candidate;
    }
  }
  // The layouts' other faces fall back to Verdana before any system family.
  EXPECT_EQ(look::FontCandidates("MS Sans Serif").at(1), "Verdana");
  EXPECT_EQ(look::FontCandidates("Tahoma").at(1), "DejaVu Sans");
}

TEST(LookMessageBox, TheBoxFitsItsTextWithTheIconBesideAndOkCentredBelow) {
  const struct {
    const char* name;
    int textWidth, textHeight;
    int width, height;
    int textTop;
  } cases[] = {
      // One short line: the box keeps its least width, the line centred on the icon.
      {"a short line", 80, 13, 200, 122, 46},
      // One long line: the box grows with it.
      {"a long line", 400, 13, 482, 122, 46},
      // Many lines: taller than the icon, the text starts at the icon's top.
      {"many lines", 300, 130, 382, 220, 37},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const look::MessageLayout layout = look::LayOutMessage(c.textWidth, c.textHeight);
    EXPECT_EQ(layout.size.width, c.width);
    EXPECT_EQ(layout.size.height, c.height);
    EXPECT_EQ(layout.text.top, c.textTop);
    EXPECT_EQ(layout.text.left, layout.icon.left + layout.icon.width + look::kMessageIconGap);
    EXPECT_FALSE(Overlap(layout.text, layout.ok));
    // Centred, to the pixel where the room left is odd.
    EXPECT_LE(std::abs(layout.ok.left * 2 + layout.ok.width - layout.size.width), 1);
    EXPECT_LE(layout.ok.top + layout.ok.height, layout.size.height);
  }
}

TEST(LookPalette, AColourWithTransparencyShowsMixedWithWhatLiesBelow) {
  const struct {
    look::Rgb over, under, shown;
  } cases[] = {
      {look::kRed, look::kBlack, look::kRed},  // opaque: itself
      {{0xFF, 0xFF, 0xFF, 0}, look::kNavy, look::kNavy},
      {{0xFF, 0xFF, 0xFF, 150}, {0x53, 0x82, 0xBC}, {0xB8, 0xCC, 0xE3}},
  };
  for (const auto& c : cases) {
    const look::Rgb shown = look::Blend(c.over, c.under);
    EXPECT_EQ(shown, c.shown) << int{shown.red} << " " << int{shown.green} << " "
                              << int{shown.blue};
  }
}

}  // namespace
