// Finding the customization block inside an executable file's bytes, the way the builder
// does: by the marker from its third character on, without regard to letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "custom/customization_block.h"

namespace custom {

// The search text, taken from the program's own block.
std::string MarkerSearchText(const CustomizationBlockView& block = ProgramBlock());

// The first offset at or after `from` where the search text occurs.
std::optional<size_t> FindFirstMarkerHit(std::span<const uint8_t> image,
                                         const std::string& searchText, size_t from = 0);

// Every offset where the search text occurs, in file order. A block begins
// kMarkerSearchOffset bytes before its hit.
std::vector<size_t> FindMarkerHits(std::span<const uint8_t> image, const std::string& searchText);

}  // namespace custom
