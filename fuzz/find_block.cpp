// FindBlock over arbitrary prototypes. The input describes an image: two bytes give its
// length around the size of a block (so that a hit near the end cannot hold one), three
// more where the rest of the input is placed in an otherwise zero image. The answer must be
// the first hit of a plain reference search, and a block found must fit in the image.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "custom/block_locator.h"
#include "custom/customization_block.h"
#include "custom/find_block.h"

namespace {

using custom::BlockSearchStatus;

void Require(bool condition) {
  if (!condition) std::abort();
}

uint8_t Upper(uint8_t c) {
  return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 32) : c;
}

// The first offset where the search text occurs, letter case ignored.
std::optional<size_t> ReferenceFirstHit(std::span<const uint8_t> image, const std::string& text) {
  for (size_t at = 0; at + text.size() <= image.size(); ++at) {
    bool equal = true;
    for (size_t n = 0; n < text.size() && equal; ++n) {
      equal = Upper(image[at + n]) == Upper(static_cast<uint8_t>(text[n]));
    }
    if (equal) return at;
  }
  return std::nullopt;
}

void Check(std::span<const uint8_t> image, const std::string& text) {
  const custom::BlockSearch found = custom::FindBlock(image, text);
  const auto hit = ReferenceFirstHit(image, text);
  if (!hit) {
    Require(found.status == BlockSearchStatus::NoMarker);
    return;
  }
  const bool fits =
      *hit >= custom::kMarkerSearchOffset &&
      *hit - custom::kMarkerSearchOffset + sizeof(custom::CustomizationBlock) <= image.size();
  if (fits) {
    Require(found.status == BlockSearchStatus::Found);
    Require(found.offset == *hit - custom::kMarkerSearchOffset);
  } else {
    Require(found.status == BlockSearchStatus::Truncated);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static const std::string text = custom::MarkerSearchText();
  Require(text.size() == custom::kMarkerSearchLength);
  // The input itself, a short prototype.
  Check({bytes, size}, text);
  if (size < 5) return 0;

  const size_t length = sizeof(custom::CustomizationBlock) - 4096 + (bytes[0] << 8 | bytes[1]);
  std::vector<uint8_t> image(length, 0);
  const size_t place = (size_t{bytes[2]} << 16 | size_t{bytes[3]} << 8 | bytes[4]) % (length + 1);
  const size_t payload = std::min(size - 5, length - place);
  std::memcpy(image.data() + place, bytes + 5, payload);
  Check(image, text);
  return 0;
}
