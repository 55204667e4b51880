// Matching a disc's identification against media rows: the user's rows and the block's
// tables. The tables come in as parameters, so any filled table can be checked.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "custom/media_entries.h"

namespace custom {

// Where a manufacturer text came from. BuiltInTable is for the lookup that falls back to
// the program's built-in tables after these rows.
enum class ManufacturerSource { None, UserFile, OemTable, BuiltInTable };

const char* ManufacturerSourceName(ManufacturerSource source);

// A found text may be empty (an all-zero DVD row matches eleven zero bytes); only
// source None means nothing matched.
struct ManufacturerMatch {
  ManufacturerSource source = ManufacturerSource::None;
  std::string text;

  bool Found() const { return source != ManufacturerSource::None; }
};

// A CD key read as a decimal integer: its bytes up to the NUL (six at most), an optional
// sign, then digits only. Anything else reads as nothing.
std::optional<int64_t> ReadCdKey(const std::array<char, 6>& key);

// The first row whose lead-in and lead-out keys both equal the disc's numbers; rows with
// a key that does not read as an integer are skipped. With stopAtEmptyLeadIn, a row whose
// lead-in key is empty ends the scan (the block's table has no row count).
const CdMediaEntry* FindCdRowByBothKeys(std::span<const CdMediaEntry> rows, int64_t leadIn,
                                        int64_t leadOut, bool stopAtEmptyLeadIn);

// The first row whose lead-in key alone equals the disc's; an empty lead-in key ends the scan.
const CdMediaEntry* FindCdRowByLeadIn(std::span<const CdMediaEntry> rows, int64_t leadIn);

// The first row whose first 11 key bytes equal the disc's, letters compared without regard
// to case. Every row is compared: an empty row does not end the scan.
const DvdMediaEntry* FindDvdRow(std::span<const DvdMediaEntry> rows, const DvdKey& key);

// The user's rows on both keys, then the block's rows on both keys, then the block's rows on
// the lead-in key alone. The user rows get no lead-in-only pass.
ManufacturerMatch MatchCdRows(std::span<const CdMediaEntry> userRows,
                              std::span<const CdMediaEntry> blockRows, int64_t leadIn,
                              int64_t leadOut);

// The user's rows, then the block's rows.
ManufacturerMatch MatchDvdRows(std::span<const DvdMediaEntry> userRows,
                               std::span<const DvdMediaEntry> blockRows, const DvdKey& key);

}  // namespace custom
