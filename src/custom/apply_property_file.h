// Fills a customization block from the lines of a property file.
//
// Sections [PROPERTY], [STEP1], [STEP2], [STEP3], [REMARK], [CD] and [DVD], headers and keys
// in any letter case; a key line is the key, "=" right after it, and the value as written.
// Values longer than their field are cut; the [CD] and [DVD] rows follow the user media
// file's line tests, at most 500 rows per table. The build-mode text always ends up as
// "BUILDMODE=0", so an edition starts normally.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "custom/customization_block.h"

namespace custom {

struct ApplyResult {
  bool ok = true;
  // Not ok: the conversion error of the [DVD] line that stopped the build, and that line's
  // index among the lines (from 0).
  std::string error;
  size_t line = 0;
};

enum class PropertySection { None, Property, Step1, Step2, Step3, Remark, Cd, Dvd };

// Takes the lines one at a time, so a property file of any length is applied in the memory
// of one line and one remark. On failure the block holds the lines before the failing one;
// the caller drops it.
class PropertyApplier {
 public:
  explicit PropertyApplier(CustomizationBlock& block) : block_(block) {}

  // Applies one line as read (it is trimmed here); false once a [DVD] line has stopped the
  // build, after which further lines change nothing.
  bool Feed(std::string_view line);
  // Stores the remark and the build-mode text; the result of the whole file.
  ApplyResult Finish();

 private:
  bool Line(std::string_view line);
  void Enter(PropertySection section);
  bool Row(std::string_view line, bool cd);
  void StoreRemark();

  CustomizationBlock& block_;
  PropertySection section_ = PropertySection::None;
  size_t rows_ = 0;
  size_t lines_ = 0;
  std::string remark_;
  bool remarkPending_ = false;
  std::string error_;
  std::optional<ApplyResult> failed_;
};

ApplyResult ApplyPropertyFile(const std::vector<std::string>& lines, CustomizationBlock& block);

}  // namespace custom
