#include "custom/customization_block.h"

namespace custom {

extern const CustomizationBlock kProgramBlock;

namespace {

template <typename Row>
std::vector<Row> ReadRows(const volatile uint8_t* table) {
  std::vector<Row> rows(kMediaTableRows);
  auto* out = reinterpret_cast<uint8_t*>(rows.data());
  for (size_t i = 0; i < kMediaTableRows * sizeof(Row); ++i) out[i] = table[i];
  return rows;
}

}  // namespace

char CustomizationBlockView::BuildModeFlag() const {
  return static_cast<char>(base_[kBuildModeFlagOffset]);
}

std::string CustomizationBlockView::Text(size_t offset, size_t width) const {
  std::string text;
  for (size_t i = 0; i < width; ++i) {
    const uint8_t c = base_[offset + i];
    if (c == 0) break;
    text += static_cast<char>(c);
  }
  return text;
}

#define QUILLRATE_BLOCK_TEXT(Field) \
  Text(offsetof(CustomizationBlock, Field), sizeof(CustomizationBlock::Field))

std::string CustomizationBlockView::Marker() const {
  return QUILLRATE_BLOCK_TEXT(Marker);
}
std::string CustomizationBlockView::BuildModeText() const {
  return QUILLRATE_BLOCK_TEXT(BuildModeText);
}
std::string CustomizationBlockView::ProgramName() const {
  return QUILLRATE_BLOCK_TEXT(ProgramName);
}
std::string CustomizationBlockView::ReleaseDate() const {
  return QUILLRATE_BLOCK_TEXT(ReleaseDate);
}
std::string CustomizationBlockView::MajorVersion() const {
  return QUILLRATE_BLOCK_TEXT(MajorVersion);
}
std::string CustomizationBlockView::MinorVersion() const {
  return QUILLRATE_BLOCK_TEXT(MinorVersion);
}
std::string CustomizationBlockView::Revision() const {
  return QUILLRATE_BLOCK_TEXT(Revision);
}
std::string CustomizationBlockView::DriveModels() const {
  return QUILLRATE_BLOCK_TEXT(DriveModels);
}
std::string CustomizationBlockView::Remark() const {
  return QUILLRATE_BLOCK_TEXT(Remark);
}

std::string CustomizationBlockView::StepText(int step) const {
  switch (step) {
    case 1:
      return QUILLRATE_BLOCK_TEXT(Step1Text);
    case 2:
      return QUILLRATE_BLOCK_TEXT(Step2Text);
    case 3:
      return QUILLRATE_BLOCK_TEXT(Step3Text);
    default:
      return {};
  }
}

#undef QUILLRATE_BLOCK_TEXT

std::vector<CdMediaEntry> CustomizationBlockView::CdRows() const {
  return ReadRows<CdMediaEntry>(base_ + offsetof(CustomizationBlock, CdTable));
}

std::vector<DvdMediaEntry> CustomizationBlockView::DvdRows() const {
  return ReadRows<DvdMediaEntry>(base_ + offsetof(CustomizationBlock, DvdTable));
}

CustomizationBlockView ProgramBlock() {
  return CustomizationBlockView(reinterpret_cast<const volatile uint8_t*>(&kProgramBlock));
}

CustomizationBlockView ViewOf(const CustomizationBlock& block) {
  return CustomizationBlockView(reinterpret_cast<const volatile uint8_t*>(&block));
}

}  // namespace custom
