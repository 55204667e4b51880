// Where the three feature rows sit on their pages, with their controls' names and captions:
// one table for every view of the main window. Places are left, top, width and height in
// pixels of the page.
#pragma once

#include <array>

namespace app::model {

struct LayoutRect {
  int left, top, width, height;
};

struct LayoutSeparator {
  bool horizontal;
  int left, top, length;
};

struct FeatureRowLayout {
  int page;  // 1: the "Quillrate" page, 2: the "Trimwave" page
  const char* titleName;
  const char* titleText;
  LayoutRect title;
  const char* supportCaptionName;
  const char* supportCaptionText;
  LayoutRect supportCaption;
  const char* supportName;
  LayoutRect support;
  const char* stateCaptionName;
  const char* stateCaptionText;
  LayoutRect stateCaption;
  const char* stateName;
  LayoutRect state;
  const char* buttonName;
  const char* buttonCaption;
  LayoutRect button;
  std::array<LayoutSeparator, 4> separators;  // joining the title to its two rows
};

// In the order of the features: Quillrate, Trimwave, Pacelift.
inline constexpr std::array<FeatureRowLayout, 3> kFeatureRows{{
    {1,
     "Label2",
     "Quillrate",
     {23, 31, 50, 13},
     "Label7",
     "Support Quillrate disable function :",
     {112, 16, 176, 13},
     "labSuptQR",
     {296, 16, 18, 13},
     "Label8",
     "Quillrate function is disabled :",
     {136, 48, 151, 13},
     "labQRIsDisable",
     {296, 48, 18, 13},
     "btnSetQRAbility",
     "Enable Quillrate",
     {328, 26, 113, 24},
     {{{true, 72, 38, 17}, {false, 88, 24, 33}, {true, 88, 22, 24}, {true, 88, 54, 48}}}},
    {2,
     "Label4",
     "Trimwave",
     {20, 27, 61, 13},
     "Label9",
     "Support Trimwave function :",
     {144, 16, 151, 13},
     "labSuptTW",
     {304, 16, 18, 13},
     "Label10",
     "Trimwave function is active :",
     {144, 40, 152, 13},
     "labTWIsActive",
     {304, 40, 18, 13},
     "btnSetTWAbility",
     "Enable Trimwave",
     {336, 24, 113, 24},
     {{{true, 80, 34, 17}, {false, 96, 24, 25}, {true, 96, 22, 48}, {true, 96, 46, 48}}}},
    {2,
     "Label6",
     "Pacelift",
     {27, 83, 54, 13},
     "Label11",
     "Support Pacelift function :",
     {152, 72, 144, 13},
     "labSuptPL",
     {304, 72, 18, 13},
     "Label12",
     "Pacelift function is active :",
     {152, 96, 145, 13},
     "labPLIsActive",
     {304, 96, 18, 13},
     "btnSetPLAbility",
     "Enable Pacelift",
     {336, 80, 113, 24},
     {{{true, 80, 90, 17}, {false, 96, 80, 25}, {true, 96, 78, 55}, {true, 96, 102, 55}}}},
}};

}  // namespace app::model
