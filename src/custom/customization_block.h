// The customization block: the fixed-layout record that an OEM build fills in. Its bytes in
// the executable file are exactly what the running program reads, so the layout is a file
// format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "custom/media_entries.h"

namespace custom {

inline constexpr size_t kMediaTableRows = 500;

struct [[gnu::packed]] CustomizationBlock {
  std::array<char, 14> Marker;         // locates the block in the executable file
  std::array<char, 12> BuildModeText;  // its eleventh character is the build-mode flag
  std::array<char, 64> ProgramName;
  std::array<char, 16> ReleaseDate;
  std::array<char, 4> MajorVersion;
  std::array<char, 4> MinorVersion;
  std::array<char, 4> Revision;
  std::array<char, 128> DriveModels;
  std::array<char, 1024> Remark;
  std::array<char, 64> Step1Text;
  std::array<char, 256> Step2Text;
  std::array<char, 64> Step3Text;
  std::array<CdMediaEntry, kMediaTableRows> CdTable;
  std::array<DvdMediaEntry, kMediaTableRows> DvdTable;
};
static_assert(offsetof(CustomizationBlock, Marker) == 0);
static_assert(offsetof(CustomizationBlock, BuildModeText) == 14);
static_assert(offsetof(CustomizationBlock, ProgramName) == 26);
static_assert(offsetof(CustomizationBlock, ReleaseDate) == 90);
static_assert(offsetof(CustomizationBlock, MajorVersion) == 106);
static_assert(offsetof(CustomizationBlock, MinorVersion) == 110);
static_assert(offsetof(CustomizationBlock, Revision) == 114);
static_assert(offsetof(CustomizationBlock, DriveModels) == 118);
static_assert(offsetof(CustomizationBlock, Remark) == 246);
static_assert(offsetof(CustomizationBlock, Step1Text) == 1270);
static_assert(offsetof(CustomizationBlock, Step2Text) == 1334);
static_assert(offsetof(CustomizationBlock, Step3Text) == 1590);
static_assert(offsetof(CustomizationBlock, CdTable) == 1654);
static_assert(offsetof(CustomizationBlock, DvdTable) == 32654);
static_assert(sizeof(CustomizationBlock) == 62654);

// The only character of the build-mode text that is tested.
inline constexpr size_t kBuildModeFlagOffset = 24;
// The builder searches for the marker from its third character on.
inline constexpr size_t kMarkerSearchOffset = 2;
inline constexpr size_t kMarkerSearchLength = 11;

// Reads a customization block field by field. Every read goes through a volatile pointer,
// so a byte patched in the executable file is what the program sees, never a value the
// compiler folded in.
class CustomizationBlockView {
 public:
  explicit CustomizationBlockView(const volatile uint8_t* base) : base_(base) {}

  uint8_t ByteAt(size_t offset) const { return base_[offset]; }

  char BuildModeFlag() const;
  bool IsBuildMode() const { return BuildModeFlag() == '1'; }

  // Texts up to their NUL, never past their field.
  std::string Marker() const;
  std::string BuildModeText() const;
  std::string ProgramName() const;
  std::string ReleaseDate() const;
  std::string MajorVersion() const;
  std::string MinorVersion() const;
  std::string Revision() const;
  std::string DriveModels() const;
  std::string Remark() const;
  // step: 1, 2 or 3.
  std::string StepText(int step) const;

  std::vector<CdMediaEntry> CdRows() const;
  std::vector<DvdMediaEntry> DvdRows() const;

 private:
  std::string Text(size_t offset, size_t width) const;
  const volatile uint8_t* base_;
};

// The program's own block, as its executable file holds it.
CustomizationBlockView ProgramBlock();

// A view over a block held in memory (a test's or a builder's copy).
CustomizationBlockView ViewOf(const CustomizationBlock& block);

}  // namespace custom
