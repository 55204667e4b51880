#include "custom/block_locator.h"

#include "custom/ascii_case.h"

namespace custom {

std::string MarkerSearchText(const CustomizationBlockView& block) {
  return block.Marker().substr(kMarkerSearchOffset, kMarkerSearchLength);
}

std::optional<size_t> FindFirstMarkerHit(std::span<const uint8_t> image,
                                         const std::string& searchText, size_t from) {
  if (searchText.empty() || image.size() < searchText.size()) return std::nullopt;
  const uint8_t first = ToUpperAscii(static_cast<uint8_t>(searchText[0]));
  for (size_t at = from; at + searchText.size() <= image.size(); ++at) {
    if (ToUpperAscii(image[at]) != first) continue;
    size_t n = 1;
    while (n < searchText.size() &&
           EqualIgnoringCase(image[at + n], static_cast<uint8_t>(searchText[n]))) {
      ++n;
    }
    if (n == searchText.size()) return at;
  }
  return std::nullopt;
}

std::vector<size_t> FindMarkerHits(std::span<const uint8_t> image, const std::string& searchText) {
  std::vector<size_t> hits;
  for (auto hit = FindFirstMarkerHit(image, searchText, 0); hit;
       hit = FindFirstMarkerHit(image, searchText, *hit + 1)) {
    hits.push_back(*hit);
  }
  return hits;
}

}  // namespace custom
