// The rows of the media tables: one layout for the block's tables and the user's rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/fixed_text.h"

namespace custom {

// One CD row: ATIP lead-in and lead-out time numbers as six characters each, and the text
// shown as the disc's manufacturer.
struct [[gnu::packed]] CdMediaEntry {
  std::array<char, 6> LeadInKey;   // minutes * 10000 + seconds * 100 + frames, as text
  char LeadInEnd;                  // always 0
  std::array<char, 6> LeadOutKey;  // same form, the last possible lead-out start
  char LeadOutEnd;                 // always 0
  std::array<char, 47> DisplayText;
  char DisplayTextEnd;  // always 0
};
static_assert(offsetof(CdMediaEntry, LeadInKey) == 0);
static_assert(offsetof(CdMediaEntry, LeadInEnd) == 6);
static_assert(offsetof(CdMediaEntry, LeadOutKey) == 7);
static_assert(offsetof(CdMediaEntry, LeadOutEnd) == 13);
static_assert(offsetof(CdMediaEntry, DisplayText) == 14);
static_assert(offsetof(CdMediaEntry, DisplayTextEnd) == 61);
static_assert(sizeof(CdMediaEntry) == 62);

// One DVD row: twelve raw bytes of the disc's media identification (only the first 11 are
// compared) and the text shown as the disc's manufacturer.
struct [[gnu::packed]] DvdMediaEntry {
  std::array<uint8_t, 12> MediaIdKey;
  std::array<char, 47> DisplayText;
  char DisplayTextEnd;  // always 0
};
static_assert(offsetof(DvdMediaEntry, MediaIdKey) == 0);
static_assert(offsetof(DvdMediaEntry, DisplayText) == 12);
static_assert(offsetof(DvdMediaEntry, DisplayTextEnd) == 59);
static_assert(sizeof(DvdMediaEntry) == 60);

// The number of compared bytes of a DVD key.
inline constexpr size_t kDvdKeyLength = 11;
using DvdKey = std::array<uint8_t, kDvdKeyLength>;

inline std::string_view DisplayTextOf(const CdMediaEntry& row) {
  return text::TextOf(row.DisplayText);
}
inline std::string_view DisplayTextOf(const DvdMediaEntry& row) {
  return text::TextOf(row.DisplayText);
}

}  // namespace custom
