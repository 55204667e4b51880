// The skin's fonts: the families the window layouts name ("Verdana", "Tahoma", "Courier New",
// "MS Sans Serif") at a character height in pixels, and the one list of installed families
// that stand in for each on a system without it. Both views resolve fonts from here.
#pragma once

#include <string_view>
#include <vector>

namespace app::look {

struct FontChoice {
  const char* family = "MS Sans Serif";
  int pixelSize = 11;
  bool bold = false;
  bool underline = false;
};

inline constexpr FontChoice kWindowFont{"MS Sans Serif", 11};
inline constexpr FontChoice kTitleFont{"Tahoma", 11, true};  // every title bar's caption
inline constexpr FontChoice kText{"Verdana", 11};
inline constexpr FontChoice kBoldText{"Verdana", 11, true};
inline constexpr FontChoice kLinkText{"Verdana", 11, false, true};
inline constexpr FontChoice kShowQuillRateFont{"Verdana", 12, true};
inline constexpr FontChoice kPageText{"Tahoma", 11};  // tabs, feature pages, the OK button
inline constexpr FontChoice kBoldButton{"Tahoma", 11, true};
inline constexpr FontChoice kFeatureButtonFont{"Tahoma", 9};
inline constexpr FontChoice kDriveListFont{"Courier New", 12};
inline constexpr FontChoice kMemoFont{"Courier New", 11};
inline constexpr FontChoice kAboutTextFont{"Courier New", 12};
// The skin's pictures: the query button's mark and the logos' letters.
inline constexpr FontChoice kQueryMarkFont{"Verdana", 30, true};
inline constexpr FontChoice kLogoFont{"Verdana", 15, true};

// The families to try for a layout family, best first: the family itself, then stand-ins of
// the same kind (fixed-pitch ones for "Courier New").
std::vector<std::string_view> FontCandidates(std::string_view layoutFamily);

// The layout family that must be drawn fixed-pitch.
bool IsFixedPitch(std::string_view layoutFamily);

}  // namespace app::look
