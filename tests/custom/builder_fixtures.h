// Blocks, prototypes and property lines for the builder's tests.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "custom/customization_block.h"
#include "text/format_c.h"

namespace custom_test {

// A copy of the program's own block, as shipped, with `flag` at the build-mode offset.
inline std::unique_ptr<custom::CustomizationBlock> ShippedBlock(char flag = '1') {
  auto block = std::make_unique<custom::CustomizationBlock>();
  const auto shipped = custom::ProgramBlock();
  auto* bytes = reinterpret_cast<uint8_t*>(block.get());
  for (size_t i = 0; i < sizeof(custom::CustomizationBlock); ++i) bytes[i] = shipped.ByteAt(i);
  bytes[custom::kBuildModeFlagOffset] = static_cast<uint8_t>(flag);
  return block;
}

inline std::vector<uint8_t> BytesOf(const custom::CustomizationBlock& block) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&block);
  return {bytes, bytes + sizeof block};
}

// A stand-in executable: `before` bytes of filler, the block, `after` bytes of filler.
inline std::vector<uint8_t> PrototypeImage(const custom::CustomizationBlock& block, size_t before,
                                           size_t after) {
  std::vector<uint8_t> image(before + sizeof block + after);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + 3);
  std::memcpy(image.data() + before, &block, sizeof block);
  return image;
}

// The lines of `text`, split at line feeds; a final line feed ends the last line.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// A valid [CD] line for row `n`, distinct for every n below 1000000.
inline std::string CdLine(size_t n) {
  return text::FormatC("%06zu_795974=Row %zu", n, n);
}

}  // namespace custom_test
