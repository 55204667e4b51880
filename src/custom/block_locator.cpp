#include "custom/block_locator.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "custom/ascii_case.h"

namespace custom {

std::string MarkerSearchText(const CustomizationBlockView& block) {
  return block.Marker().substr(kMarkerSearchOffset, kMarkerSearchLength);
}

namespace {

// Where `byte` next occurs at or after `from` and no later than `last`; memchr scans the
// executable's megabytes far faster than a loop over its bytes.
size_t NextByte(std::span<const uint8_t> image, size_t from, size_t last, uint8_t byte) {
  if (from > last) return SIZE_MAX;
  const void* hit = std::memchr(image.data() + from, byte, last - from + 1);
  return hit ? static_cast<size_t>(static_cast<const uint8_t*>(hit) - image.data()) : SIZE_MAX;
}

}  // namespace

std::optional<size_t> FindFirstMarkerHit(std::span<const uint8_t> image,
                                         const std::string& searchText, size_t from) {
  if (searchText.empty() || image.size() < searchText.size()) return std::nullopt;
  const size_t last = image.size() - searchText.size();
  // The first letter in either case: each is looked for with memchr, the nearer one is tried.
  const uint8_t upper = ToUpperAscii(static_cast<uint8_t>(searchText[0]));
  const uint8_t lower = ToLowerAscii(upper);
  size_t nextUpper = NextByte(image, from, last, upper);
  size_t nextLower = lower == upper ? SIZE_MAX : NextByte(image, from, last, lower);
  while (true) {
    const size_t at = std::min(nextUpper, nextLower);
    if (at == SIZE_MAX) return std::nullopt;
    size_t n = 1;
    while (n < searchText.size() &&
           EqualIgnoringCase(image[at + n], static_cast<uint8_t>(searchText[n]))) {
      ++n;
    }
    if (n == searchText.size()) return at;
    if (at == nextUpper) nextUpper = NextByte(image, at + 1, last, upper);
    if (at == nextLower) nextLower = NextByte(image, at + 1, last, lower);
  }
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
