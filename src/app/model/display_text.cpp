#include "app/model/display_text.h"

#include "device/text_encoding.h"

namespace app::model {

std::string DisplayText(const std::string& text) {
  return device::VisibleText(text, device::LineBreaks::Kept);
}

std::string DisplayLine(const std::string& text) {
  return device::VisibleText(text);
}

}  // namespace app::model
