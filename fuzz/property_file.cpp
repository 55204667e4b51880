// Arbitrary bytes as a builder property file, applied to the program's own block. Whatever
// the file holds, the block stays well formed: the marker unchanged, every text field
// NUL-terminated within its width, every row's terminators in place, and the same file
// always gives the same block.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "custom/apply_property_file.h"
#include "custom/customization_block.h"
#include "custom/property_file.h"
#include "temp_input_file.h"

namespace {

using custom::CustomizationBlock;

void Require(bool condition) {
  if (!condition) std::abort();
}

template <typename Char, size_t N>
bool Terminated(const std::array<Char, N>& field) {
  return std::memchr(field.data(), 0, N) != nullptr;
}

std::unique_ptr<CustomizationBlock> ProgramBlockCopy() {
  auto block = std::make_unique<CustomizationBlock>();
  auto* bytes = reinterpret_cast<uint8_t*>(block.get());
  const custom::CustomizationBlockView shipped = custom::ProgramBlock();
  for (size_t i = 0; i < sizeof(CustomizationBlock); ++i) bytes[i] = shipped.ByteAt(i);
  return block;
}

void RequireWellFormed(const CustomizationBlock& block, const CustomizationBlock& original) {
  Require(block.Marker == original.Marker);
  Require(Terminated(block.BuildModeText) && Terminated(block.ProgramName) &&
          Terminated(block.ReleaseDate) && Terminated(block.MajorVersion) &&
          Terminated(block.MinorVersion) && Terminated(block.Revision) &&
          Terminated(block.DriveModels) && Terminated(block.Remark) &&
          Terminated(block.Step1Text) && Terminated(block.Step2Text) &&
          Terminated(block.Step3Text));
  for (const auto& row : block.CdTable) {
    Require(row.LeadInEnd == 0 && row.LeadOutEnd == 0 && row.DisplayTextEnd == 0);
  }
  for (const auto& row : block.DvdTable) Require(row.DisplayTextEnd == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static const std::unique_ptr<CustomizationBlock> original = ProgramBlockCopy();
  const std::string path = fuzz::WriteInputFile("property", bytes, size);
  if (path.empty()) return 0;

  std::vector<std::string> lines;
  Require(custom::ReadPropertyFile(path, lines).status == custom::UserMediaFileStatus::Read);
  for (const std::string& line : lines) Require(line.size() <= 2046);

  auto first = std::make_unique<CustomizationBlock>(*original);
  const custom::ApplyResult result = custom::ApplyPropertyFile(lines, *first);
  RequireWellFormed(*first, *original);
  if (result.ok) {
    Require(std::string(first->BuildModeText.data()) == "BUILDMODE=0");
  } else {
    Require(result.line < lines.size());
    Require(result.error.find("is not a valid integer value") != std::string::npos);
  }

  auto second = std::make_unique<CustomizationBlock>(*original);
  const custom::ApplyResult again = custom::ApplyPropertyFile(lines, *second);
  Require(again.ok == result.ok && again.error == result.error);
  Require(std::memcmp(first.get(), second.get(), sizeof(CustomizationBlock)) == 0);
  return 0;
}
