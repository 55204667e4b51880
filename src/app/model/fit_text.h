// Cutting a text that does not fit its place: the longest start of it, whole characters only,
// that fits with an ellipsis after it.
#pragma once

#include <functional>
#include <string>

namespace app::model {

inline constexpr const char* kEllipsis = "\xE2\x80\xA6";  // "…"

// `text` itself when `fits(text)`; otherwise the longest start of `text` (cut between UTF-8
// characters, blanks at the cut dropped) followed by the ellipsis for which `fits` holds, or
// the ellipsis alone. `fits` measures in the view's own font.
std::string CutToFit(const std::string& text, const std::function<bool(const std::string&)>& fits);

}  // namespace app::model
