// Sizes as the user types them, the fit at its exact boundary, and the numbers in the status
// lines.
#include <gtest/gtest.h>

#include <string>

#include "media/disc_size.h"
#include "media/disc_status_text.h"

namespace {

struct GoodSize {
  const char* text;
  uint64_t blocks;
};

TEST(DiscSize, GoodSizes) {
  const GoodSize cases[] = {
      {"0", 0},
      {"1", 1},
      {"2048", 1},
      {"2049", 2},
      {"2048B", 1},
      {"700M", 341'797},  // 700 000 000 / 2048 = 341 796.875
      {"700MB", 341'797},
      {"4.7G", 2'294'922},     // 4 700 000 000 bytes
      {"4482MiB", 2'294'784},  // exactly 2 294 784 blocks
      {"4.5GiB", 2'359'296},
      {"2295104s", 2'295'104},
      {"2295104.0s", 2'295'104},
      {"1k", 1},
      {"1T", 488'281'250},
      {".5k", 1},
      {"4.", 1},
      {"0.000001T", 489},  // 1 000 000 bytes
      {"0.000001k", 1},    // a thousandth of a byte, rounded up to one byte
  };
  for (const GoodSize& c : cases) {
    const media::SizeParse parse = media::ParseSize(c.text);
    EXPECT_TRUE(parse.ok) << c.text << ": " << parse.error;
    EXPECT_EQ(parse.blocks, c.blocks) << c.text;
  }
}

struct BadSize {
  const char* text;
  const char* error;
};

TEST(DiscSize, BadSizes) {
  const BadSize cases[] = {
      {"",
       "not a size: \"\" (a size is a number with a unit, such as 700M, 4.7G, 4482MiB or "
       "2295104s)"},
      {"M", "not a size: \"M\""},
      {"-700M", "not a size: \"-700M\""},
      {"700X",
       "unknown unit \"X\" in \"700X\": use B, k, M, G, T (powers of 1000), KiB, MiB, "
       "GiB, TiB (powers of 1024) or s (2048-byte sectors)"},
      {"700 M", "unknown unit \" M\" in \"700 M\""},
      {"700m", "unknown unit \"m\""},
      {"700mib", "unknown unit \"mib\""},
      {"1.5s", "sectors are whole: \"1.5s\""},
      {"1.2.3G", "unknown unit \".3G\""},
      {"1.1234567G", "at most six digits after the point: \"1.1234567G\""},
      {"9999999999999999", "the size \"9999999999999999\" is too large"},
      {"2000TiB", "the size \"2000TiB\" is too large"},
  };
  for (const BadSize& c : cases) {
    const media::SizeParse parse = media::ParseSize(c.text);
    EXPECT_FALSE(parse.ok) << c.text;
    EXPECT_EQ(parse.error.rfind(c.error, 0), 0u) << c.text << ": " << parse.error;
  }
}

struct FitCase {
  uint64_t needed;
  uint64_t free;
  bool fits;
  const char* text;
};

TEST(DiscSize, FitAtTheBoundary) {
  const FitCase cases[] = {
      {2'295'104, 2'295'104, true,
       "Fits: 2 295 104 blocks needed, 2 295 104 free; nothing to spare"},
      {2'295'105, 2'295'104, false,
       "Does not fit: 2 295 105 blocks needed, 2 295 104 free; 1 block (2 KiB) missing"},
      {2'295'103, 2'295'104, true,
       "Fits: 2 295 103 blocks needed, 2 295 104 free; 1 block (2 KiB) to spare"},
      {1, 0, false, "Does not fit: 1 block needed, 0 free; 1 block (2 KiB) missing"},
      {0, 0, true, "Fits: 0 blocks needed, 0 free; nothing to spare"},
      // The last margin under a megabyte, and the first one over it: 488 blocks are 999 424
      // bytes, 489 are 1 001 472 (1 MB spare, rounded down; 2 MB missing, rounded up).
      {1000, 1488, true, "Fits: 1 000 blocks needed, 1 488 free; 488 blocks (976 KiB) to spare"},
      {1000, 1489, true, "Fits: 1 000 blocks needed, 1 489 free; 489 blocks (1 MB) to spare"},
      {1489, 1000, false,
       "Does not fit: 1 489 blocks needed, 1 000 free; 489 blocks (2 MB) missing"},
      {341'797, 359'849, true,
       "Fits: 341 797 blocks needed, 359 849 free; 18 052 blocks (36 MB) to spare"},
      // A size far beyond any disc still gives an exact difference.
      {uint64_t{1} << 40, 2'295'104, false,
       "Does not fit: 1 099 511 627 776 blocks needed, 2 295 104 free; 1 099 509 332 672 blocks "
       "(2 251 795 114 MB) missing"},
  };
  for (const FitCase& c : cases) {
    const media::Fit fit = media::FitIn(c.needed, c.free);
    EXPECT_EQ(fit.fits, c.fits) << c.text;
    EXPECT_EQ(media::FitText(fit), c.text);
  }
  // A file one byte past the free space needs one block more, and no longer fits.
  const uint64_t freeBlocks = 1000;
  EXPECT_TRUE(media::FitIn(media::BlocksForBytes(freeBlocks * 2048), freeBlocks).fits);
  EXPECT_FALSE(media::FitIn(media::BlocksForBytes(freeBlocks * 2048 + 1), freeBlocks).fits);
}

TEST(DiscSize, NumbersInTheStatusLines) {
  const std::pair<uint64_t, const char*> grouped[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1 000"},
      {2'295'104, "2 295 104"},
      {18'446'744'073'709'551'615u, "18 446 744 073 709 551 615"}};
  for (const auto& [value, text] : grouped) EXPECT_EQ(media::GroupedNumber(value), text);
  // Rounded down: 4 700 372 992 bytes are 4.377... GiB and 4 700.37 MB.
  EXPECT_EQ(media::GibibytesText(4'700'372'992), "4.37");
  EXPECT_EQ(media::GibibytesText((uint64_t{1} << 30) - 1), "0.99");
  EXPECT_EQ(media::GibibytesText(uint64_t{1} << 30), "1.00");
  // The largest free space a drive can state: 2^32 - 1 blocks of 2048 bytes.
  EXPECT_EQ(media::GibibytesText(uint64_t{0xFFFFFFFF} * 2048), "8191.99");
}

// An amount in the unit that shows it: MB from a megabyte on, KiB below (so nothing that is
// there reads as 0 MB), rounded down, or up for what is missing.
TEST(DiscSize, AmountsInTheUnitThatShowsThem) {
  struct Amount {
    uint64_t bytes;
    bool roundUp;
    const char* text;
  };
  const Amount cases[] = {
      {4'700'372'992, false, "4 700 MB"},
      {4'700'372'992, true, "4 701 MB"},
      {1'000'000, false, "1 MB"},
      {1'000'000, true, "1 MB"},
      {999'999, false, "976 KiB"},
      {999'999, true, "977 KiB"},
      {2048, false, "2 KiB"},
      {2048, true, "2 KiB"},
      {1, false, "0 KiB"},
      {1, true, "1 KiB"},
      {0, false, "0 MB"},
      {0, true, "0 MB"},
  };
  for (const Amount& c : cases) EXPECT_EQ(media::SizeText(c.bytes, c.roundUp), c.text) << c.bytes;
}

}  // namespace
