#include "custom/find_block.h"

namespace custom {

BlockSearch FindBlock(std::span<const uint8_t> image, const std::string& searchText) {
  const auto hit = FindFirstMarkerHit(image, searchText);
  if (!hit) return {BlockSearchStatus::NoMarker, 0};
  if (*hit < kMarkerSearchOffset) return {BlockSearchStatus::Truncated, 0};
  const size_t offset = *hit - kMarkerSearchOffset;
  if (image.size() - offset < sizeof(CustomizationBlock)) return {BlockSearchStatus::Truncated, 0};
  return {BlockSearchStatus::Found, offset};
}

}  // namespace custom
