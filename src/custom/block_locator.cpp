#include "custom/block_locator.h"

#include "custom/ascii_case.h"

namespace custom {

std::string MarkerSearchText(const CustomizationBlockView& block) {
  return block.Marker().substr(kMarkerSearchOffset, kMarkerSearchLength);
}

std::vector<size_t> FindMarkerHits(std::span<const uint8_t> image, const std::string& searchText) {
  std::vector<size_t> hits;
  if (searchText.empty() || image.size() < searchText.size()) return hits;
  const uint8_t first = ToUpperAscii(static_cast<uint8_t>(searchText[0]));
  for (size_t at = 0; at + searchText.size() <= image.size(); ++at) {
    if (ToUpperAscii(image[at]) != first) continue;
    size_t n = 1;
    while (n < searchText.size() &&
           EqualIgnoringCase(image[at + n], static_cast<uint8_t>(searchText[n]))) {
      ++n;
    }
    if (n == searchText.size()) hits.push_back(at);
  }
  return hits;
}

}  // namespace custom
