// Sizes of what is to be written, and whether it fits in a disc's free blocks. A size is a
// whole or decimal number with an optional unit: B (bytes, the default), k, M, G, T (powers of
// 1000, as disc makers count: "4.7G" is 4 700 000 000 bytes; kB, MB, GB, TB too), KiB, MiB,
// GiB, TiB (powers of 1024), or s (2048-byte sectors, whole numbers only).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace media {

struct SizeParse {
  bool ok = false;
  uint64_t blocks = 0;  // 2048-byte blocks, rounded up
  std::string error;    // what is wrong with the text, when not ok
};

SizeParse ParseSize(std::string_view text);

// 2048-byte blocks that hold `bytes`, the last one partly filled.
uint64_t BlocksForBytes(uint64_t bytes);

struct Fit {
  bool fits = false;
  uint64_t neededBlocks = 0;
  uint64_t freeBlocks = 0;
  // Blocks to spare when it fits, blocks missing when it does not.
  uint64_t differenceBlocks = 0;
};

Fit FitIn(uint64_t neededBlocks, uint64_t freeBlocks);

// "Fits: 341 797 blocks needed, 2 295 104 free; 1 953 307 blocks (4 000 MB) to spare",
// "Fits: ...; 182 blocks (364 KiB) to spare", "Fits: ...; nothing to spare" or "Does not fit:
// ...; 12 blocks (24 KiB) missing" (what is missing is rounded up, what is spare down; under a
// megabyte the amount is in KiB, which a whole number of blocks always fills exactly).
std::string FitText(const Fit& fit);

}  // namespace media
