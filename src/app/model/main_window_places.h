// Where every control of the main window sits, with its name and first text: one table for
// every view of the main window, so the Qt and the Win32 window cannot drift apart. Places are
// left, top, width and height in pixels of the window's client area (of the page, for the
// controls on the pages).
#pragma once

#include <array>

namespace app::model {

struct LayoutRect {
  int left, top, width, height;
};

struct ControlPlace {
  const char* name;
  LayoutRect at;
  const char* text = "";
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

// The window's client area, and its caption until the edition's caption replaces it.
inline constexpr LayoutRect kMainWindowArea{0, 0, 479, 428};
inline constexpr const char* kLayoutCaption = "QUILL-RATE v3.0.0";

// The controls outside the pages, top to bottom.
inline constexpr ControlPlace kMakerLogo{"imgbtnOLV", {14, 26, 95, 26}};
inline constexpr ControlPlace kShowQuillRate{"cmdShowQR", {362, 41, 103, 25}, "QUILL-RATE"};
inline constexpr ControlPlace kStep1Title{"Label1", {12, 55, 45, 13}, "Step1 :"};
inline constexpr ControlPlace kStep1Text{
    "lblStep1", {64, 55, 253, 13}, "Select a target CD-RW/COMBO/DVD Writer "};
inline constexpr ControlPlace kDriveList{"cboDrives", {56, 75, 409, 23}};
inline constexpr int kDriveListItemHeight = 15;
inline constexpr ControlPlace kStep2Title{"Label3", {12, 107, 45, 13}, "Step2 :"};
inline constexpr ControlPlace kStep2Text{
    "lblStep2",
    {64, 107, 325, 53},
    "Insert your CD-R/RW or DVD+R/+RW/-R/-RW media into target drive, then click \"?\" button "
    "to see information about this media and what is the maximum burning speed that "
    "QUILL-RATE set base on the information"};
inline constexpr ControlPlace kQueryButton{"cmdRefresh", {396, 111, 73, 49}};
inline constexpr ControlPlace kStep3Title{"Label5", {12, 171, 45, 13}, "Step3 :"};
inline constexpr ControlPlace kStep3Text{
    "lblStep3", {64, 171, 190, 13}, "The information of this media as:"};
inline constexpr ControlPlace kBusyIndicator{"busyIndicator", {372, 170, 16, 16}};
// Beside the busy indicator, shown only while a query runs (Esc presses it too).
inline constexpr ControlPlace kQueryCancel{"cmdCancelQuery", {392, 167, 73, 21}, "Cancel"};
inline constexpr ControlPlace kPageControl{"suiPageControl1", {8, 192, 465, 209}};
// The one-line step texts grow with an edition's longer texts up to the window's inner edge,
// where the page control ends, and never past it.
inline constexpr int kStepTextRight = kPageControl.at.left + kPageControl.at.width;
inline constexpr int kPageTabMargin = 10;
inline constexpr std::array<ControlPlace, 3> kPages{{
    {"suiTabSheet1", {}, "Information"},
    {"suiTabSheet2", {}, "Quillrate"},
    {"suiTabSheet3", {}, "Trimwave"},
}};
// On the first page.
inline constexpr ControlPlace kMemo{"memTranslator", {0, 4, 459, 173}, "memTranslator"};
inline constexpr ControlPlace kUserFileButton{
    "cmdAddUserFile",
    {8, 408, 13, 13},
    "You can click this button to add/remove a user-defined media  database"};  // its tip
inline constexpr ControlPlace kCopyright{"lblCopyright", {84, 409, 310, 13}};
// Sized to its picture (85 x 67).
inline constexpr ControlPlace kOemLogo{"imgbtnVEXO", {400, 408, 85, 67}};

// What the OEM branding moves at the top of the window: the OEM logo takes the maker logo's
// place and the step-1 row and drive list make room for it.
struct OemPlaces {
  int logoLeft, logoTop;
  int step1TitleLeft, step1TitleTop;
  int step1TextLeft, step1TextTop;
  int driveListLeft, driveListTop, driveListWidth;
  int showQuillRateLeft, showQuillRateTop;
};
inline constexpr OemPlaces kOemPlaces{14, 26, 108, 59, 160, 59, 108, 75, 353, 200, 30};

}  // namespace app::model
