#include "app/model/display_text.h"

#include "text/text_encoding.h"

namespace app::model {

std::string DisplayText(const std::string& text) {
  return text::VisibleText(text, text::LineBreaks::Kept);
}

std::string DisplayLine(const std::string& text) {
  return text::VisibleText(text);
}

}  // namespace app::model
