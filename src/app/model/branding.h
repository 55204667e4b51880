// The copyright lines and web addresses of the main window's link label: the maker's pair in
// the layout, the OEM's put in place by the branding. Both views show the same.
#pragma once

namespace app {

inline constexpr const char* kOemCopyright = "Copyright (C) 2006 VEXO Storage Corp.";
inline constexpr const char* kOemWebAddress = "https://www.vexo-storage.example/";
inline constexpr const char* kMakerCopyright = "Copyright (C) 2005 Quillrate Software";
inline constexpr const char* kMakerWebAddress = "https://www.quillrate.example/";

}  // namespace app
