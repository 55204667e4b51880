#include "custom/window_caption.h"

#include "text/format_c.h"

namespace custom {

std::string WindowCaption(const CustomizationBlockView& block) {
  return text::FormatC("%s v%s.%s.%s", block.ProgramName().c_str(), block.MajorVersion().c_str(),
                       block.MinorVersion().c_str(), block.Revision().c_str());
}

}  // namespace custom
