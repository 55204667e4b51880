#include "media/disc_size.h"

#include <array>

#include "media/disc_status.h"
#include "media/disc_status_text.h"

namespace media {
namespace {

struct Unit {
  std::string_view name;
  uint64_t bytes;
};

constexpr uint64_t kKi = 1024;
constexpr std::array<Unit, 14> kUnits{{
    {"", 1},
    {"B", 1},
    {"k", 1'000},
    {"kB", 1'000},
    {"M", 1'000'000},
    {"MB", 1'000'000},
    {"G", 1'000'000'000},
    {"GB", 1'000'000'000},
    {"T", 1'000'000'000'000},
    {"TB", 1'000'000'000'000},
    {"KiB", kKi},
    {"MiB", kKi* kKi},
    {"GiB", kKi* kKi* kKi},
    {"TiB", kKi* kKi* kKi* kKi},
}};

constexpr const char* kUnitsHelp =
    "use B, k, M, G, T (powers of 1000), KiB, MiB, GiB, TiB (powers of 1024) or s (2048-byte "
    "sectors)";
// Nothing larger is a size to write on a disc; it keeps every product below in 64 bits.
constexpr uint64_t kMostBytes = uint64_t{1} << 50;
constexpr size_t kMostDigits = 15;
// Enough for a byte of a terabyte's millionth; the fraction times the unit stays in 64 bits.
constexpr size_t kMostFractionDigits = 6;

SizeParse Failed(std::string error) {
  SizeParse parse;
  parse.error = std::move(error);
  return parse;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

SizeParse ParseSize(std::string_view text) {
  // Built by appending: GCC 12 at -O3 warns (wrongly) about `"\"" + std::string(...)`.
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '"').append(text).append(1, '"');
  size_t at = 0;
  std::string_view whole;
  std::string_view fraction;
  while (at < text.size() && IsDigit(text[at])) ++at;
  whole = text.substr(0, at);
  if (at < text.size() && text[at] == '.') {
    const size_t from = ++at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    fraction = text.substr(from, at - from);
  }
  if (whole.empty() && fraction.empty()) {
    return Failed("not a size: " + quoted +
                  " (a size is a number with a unit, such as 700M, "
                  "4.7G, 4482MiB or 2295104s)");
  }
  if (whole.size() > kMostDigits) return Failed("the size " + quoted + " is too large");
  if (fraction.size() > kMostFractionDigits) {
    return Failed("at most six digits after the point: " + quoted);
  }
  const std::string_view unitName = text.substr(at);
  uint64_t wholeValue = 0;
  for (char c : whole) wholeValue = wholeValue * 10 + static_cast<uint64_t>(c - '0');
  uint64_t fractionValue = 0;
  uint64_t fractionScale = 1;
  for (char c : fraction) {
    fractionValue = fractionValue * 10 + static_cast<uint64_t>(c - '0');
    fractionScale *= 10;
  }

  if (unitName == "s") {
    if (fractionValue != 0) return Failed("sectors are whole: " + quoted);
    SizeParse parse;
    parse.ok = true;
    parse.blocks = wholeValue;
    return parse;
  }
  const Unit* unit = nullptr;
  for (const Unit& u : kUnits) {
    if (u.name == unitName) unit = &u;
  }
  if (unit == nullptr) {
    return Failed("unknown unit \"" + std::string(unitName) + "\" in " + quoted + ": " +
                  kUnitsHelp);
  }
  if (wholeValue > kMostBytes / unit->bytes) return Failed("the size " + quoted + " is too large");
  // The fraction in whole bytes, rounded up.
  const uint64_t fractionBytes = (fractionValue * unit->bytes + fractionScale - 1) / fractionScale;
  const uint64_t bytes = wholeValue * unit->bytes + fractionBytes;
  SizeParse parse;
  parse.ok = true;
  parse.blocks = BlocksForBytes(bytes);
  return parse;
}

uint64_t BlocksForBytes(uint64_t bytes) {
  return bytes / kBlockBytes + (bytes % kBlockBytes != 0 ? 1 : 0);
}

Fit FitIn(uint64_t neededBlocks, uint64_t freeBlocks) {
  Fit fit;
  fit.neededBlocks = neededBlocks;
  fit.freeBlocks = freeBlocks;
  fit.fits = neededBlocks <= freeBlocks;
  fit.differenceBlocks = fit.fits ? freeBlocks - neededBlocks : neededBlocks - freeBlocks;
  return fit;
}

std::string FitText(const Fit& fit) {
  std::string margin = "nothing to spare";
  if (fit.differenceBlocks != 0) {
    // What is missing is rounded up, what is spare down: the sentence never promises room that
    // is not there.
    const uint64_t bytes = fit.differenceBlocks * kBlockBytes;
    margin = GroupedNumber(fit.differenceBlocks) +
             (fit.differenceBlocks == 1 ? " block (" : " blocks (") + SizeText(bytes, !fit.fits) +
             (fit.fits ? ") to spare" : ") missing");
  }
  return std::string(fit.fits ? "Fits: " : "Does not fit: ") + GroupedNumber(fit.neededBlocks) +
         (fit.neededBlocks == 1 ? " block needed, " : " blocks needed, ") +
         GroupedNumber(fit.freeBlocks) + " free; " + margin;
}

}  // namespace media
