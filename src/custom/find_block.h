// Locating the customization block in a prototype's bytes: the first hit of the marker's
// search text, taken from the running program's own block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "custom/block_locator.h"

namespace custom {

enum class BlockSearchStatus {
  Found,
  NoMarker,   // the search text occurs nowhere
  Truncated,  // the first hit leaves no room for the whole block in the file
};

struct BlockSearch {
  BlockSearchStatus status = BlockSearchStatus::NoMarker;
  size_t offset = 0;  // Found: where the block begins, kMarkerSearchOffset before the hit
};

// Takes the first hit only, like the builder always did: a later hit is never considered,
// even when the first one cannot hold a block. The scan never reads past the end.
BlockSearch FindBlock(std::span<const uint8_t> image,
                      const std::string& searchText = MarkerSearchText());

}  // namespace custom
