// The block as the program ships. This initialiser is the only place in the program where
// the marker text is written; everything else reads it from the block.
#include "custom/customization_block.h"
#include "custom/shipped_identity.h"

namespace custom {
namespace {

// A zero-filled field holding `text`, made at compile time so that the block stays constant
// data.
template <size_t N>
constexpr std::array<char, N> Field(std::string_view text) {
  std::array<char, N> field{};
  for (size_t i = 0; i < text.size() && i + 1 < N; ++i) field[i] = text[i];
  return field;
}

}  // namespace

// External linkage and a non-zero initialiser keep the whole block, all-zero tables
// included, in the file's initialised read-only data, where the builder can patch it.
extern const CustomizationBlock kProgramBlock;

// constinit: a compile-time initialiser is what keeps the block in read-only data.
[[gnu::used]] constinit const CustomizationBlock kProgramBlock = {
    {{"=@VOLM'S TOOL"}},
    {{"BUILDMODE=0"}},
    Field<64>(kShippedProgramName),
    {{"2006/02/13"}},
    Field<4>(kProgramVersionMajor),
    Field<4>(kProgramVersionMinor),
    Field<4>(kProgramVersionPatch),
    {{"for VEXO CD-RW, COMBO, DVD Writer"}},
    {{"    Since VEXO CD-RW/COMBO/DVD Writer drive, Buffer Underrun\n"
      "Protection Feature is always activated. The new feature of\n"
      "QUILL-RATE is to check CD-R/RW,DVD-R/RW/RAM,DVD+R/RW media quality\n"
      "and set burning speed limit base on this. The burning speed\n"
      "will be limited by the \"QUILL-RATE Speed Limit\" shown on PC\n"
      "screen.\n"
      "\n"
      "    Once the Media Manufacturer is identified by the program,\n"
      "it means VEXO CD-RW drive will use dedicated writing strategy\n"
      "and running optimal power calibration to secure the burning\n"
      "quality.\n"
      "\n"
      "    All the Brand Name property that the program identified is\n"
      "belong to the original company, the result is just a reference\n"
      "with assumption, no commercial consideration and value for\n"
      "this.\n"}},
    {{"Select a target CD-RW/COMBO/DVD Writer"}},
    {{"Insert your CD-R/RW or DVD+R/+RW/-R/-RW/-RAM media into target drive, then click \"?\" "
      "button to see information about this media and what is the maximum burning speed that "
      "QUILL-RATE set base on the information"}},
    {{"The information of this media as :"}},
    {},
    {},
};

}  // namespace custom
