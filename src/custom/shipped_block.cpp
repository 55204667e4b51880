// The block as the program ships. This initialiser is the only place in the program where
// the marker text is written; everything else reads it from the block.
#include "custom/customization_block.h"

namespace custom {

// External linkage and a non-zero initialiser keep the whole block, all-zero tables
// included, in the file's initialised read-only data, where the builder can patch it.
extern const CustomizationBlock kProgramBlock;

[[gnu::used]] const CustomizationBlock kProgramBlock = {
    {{"=@VOLM'S TOOL"}},
    {{"BUILDMODE=0"}},
    {{"Quill-Rate Media Check"}},
    {{"2006/02/13"}},
    {{"3"}},
    {{"1"}},
    {{"16"}},
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
