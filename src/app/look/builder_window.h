// The builder window of build mode, for every view: its size, caption, controls and texts.
#pragma once

#include "app/look/fonts.h"
#include "app/look/small_windows.h"

namespace app::look {

inline constexpr const char* kBuilderName = "frmBuildQR";
inline constexpr const char* kBuilderCaption = "Quill-Rate Builder";
inline constexpr WindowSize kBuilderSize{454, 123};
inline constexpr FontChoice kBuilderFont = kText;
inline constexpr ControlPlace kBuilderLabel{
    "Label1", {8, 36, 200, 13}, "Please select parameter file :"};
inline constexpr ControlPlace kBuilderFile{"txtFile", {8, 56, 361, 21}};
inline constexpr ControlPlace kBuilderBrowse{"cmdBrowse", {376, 56, 69, 21}, "Browse"};
inline constexpr ControlPlace kBuilderBuild{"cmdBuild", {300, 92, 69, 21}, "Build"};
inline constexpr ControlPlace kBuilderClose{"cmdClose", {376, 92, 69, 21}, "Close"};

// The open-file dialog's one filter, which shows every file.
inline constexpr const char* kBuilderFilterName = "Any Files(*.*)";
// The folder chooser's title when the edition may not go beside the program.
inline constexpr const char* kBuilderFolderTitle =
    "Choose the folder for Quillrate.exe (not the program's own)";

}  // namespace app::look
