#include "app/look/fonts.h"

namespace app::look {

std::vector<std::string_view> FontCandidates(std::string_view layoutFamily) {
  if (IsFixedPitch(layoutFamily)) {
    return {layoutFamily,     "Liberation Mono", "DejaVu Sans Mono",
            "Noto Sans Mono", "Cousine",         "FreeMono"};
  }
  // Tahoma stands for itself; every other family takes Verdana first, the layouts' main face,
  // and Tahoma last.
  const bool tahoma = layoutFamily == "Tahoma";
  std::vector<std::string_view> candidates{layoutFamily};
  for (std::string_view sans :
       {"Verdana", "DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans", "Tahoma"}) {
    if (sans == layoutFamily || (tahoma && sans == "Verdana")) continue;
    candidates.push_back(sans);
  }
  return candidates;
}

bool IsFixedPitch(std::string_view layoutFamily) {
  return layoutFamily == "Courier New";
}

}  // namespace app::look
