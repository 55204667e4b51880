#include "custom/about_text.h"

namespace custom {

std::string ComposeAboutText(const CustomizationBlockView& block) {
  // The three headings are 15 characters wide so their colons line up in a fixed font.
  std::string text;
  text += "Release Date : " + block.ReleaseDate() + "\n";
  text += "     Version : " + block.MajorVersion() + "." + block.MinorVersion() + "." +
          block.Revision() + "\n";
  text += "Drive Models : " + block.DriveModels() + "\n\n";
  text += "                            Remarks : \n";
  text += block.Remark();
  return text;
}

}  // namespace custom
