// Fills a customization block from the lines of a property file.
//
// Sections [PROPERTY], [STEP1], [STEP2], [STEP3], [REMARK], [CD] and [DVD], headers and keys
// in any letter case; a key line is the key, "=" right after it, and the value as written.
// Values longer than their field are cut; the [CD] and [DVD] rows follow the user media
// file's line tests, at most 500 rows per table. The build-mode text always ends up as
// "BUILDMODE=0", so an edition starts normally.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "custom/customization_block.h"

namespace custom {

struct ApplyResult {
  bool ok = true;
  // Not ok: the conversion error of the [DVD] line that stopped the build, and that line's
  // index in `lines` (from 0).
  std::string error;
  size_t line = 0;
};

// On failure `block` holds the lines before the failing one; the caller drops it.
ApplyResult ApplyPropertyFile(const std::vector<std::string>& lines, CustomizationBlock& block);

}  // namespace custom
