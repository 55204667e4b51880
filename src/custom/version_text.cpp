#include "custom/version_text.h"

#include "custom/shipped_identity.h"
#include "text/text_encoding.h"

namespace custom {

std::string VersionText(std::string_view program, const CustomizationBlockView& block) {
  std::string text = std::string(program) + " " + std::string(kProgramVersion) + "\n";
  const std::string name = block.ProgramName();
  const std::string version =
      block.MajorVersion() + "." + block.MinorVersion() + "." + block.Revision();
  if (name != kShippedProgramName || version != kProgramVersion) {
    // An edition's texts are whatever its property file held: UTF-8 or Windows-1252, perhaps
    // with control bytes that must not steer the terminal.
    text += "edition: " + text::VisibleText(name + " " + version) + "\n";
  }
  return text + std::string(kLicenceText);
}

}  // namespace custom
