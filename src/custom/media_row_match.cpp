#include "custom/media_row_match.h"

#include "custom/ascii_case.h"

namespace custom {
namespace {

bool IsEmptyKey(const std::array<char, 6>& key) {
  return key[0] == '\0';
}

template <typename Row>
ManufacturerMatch MatchOf(const Row* row, ManufacturerSource source) {
  if (row == nullptr) return {};
  return {source, std::string(DisplayTextOf(*row))};
}

}  // namespace

const char* ManufacturerSourceName(ManufacturerSource source) {
  switch (source) {
    case ManufacturerSource::UserFile:
      return "user file";
    case ManufacturerSource::OemTable:
      return "OEM table";
    case ManufacturerSource::BuiltInTable:
      return "built-in table";
    case ManufacturerSource::None:
      break;
  }
  return "none";
}

std::optional<int64_t> ReadCdKey(const std::array<char, 6>& key) {
  const std::string_view text = text::TextOf(key);
  size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  if (at == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    value = value * 10 + (text[at] - '0');
  }
  return negative ? -value : value;
}

const CdMediaEntry* FindCdRowByBothKeys(std::span<const CdMediaEntry> rows, int64_t leadIn,
                                        int64_t leadOut, bool stopAtEmptyLeadIn) {
  for (const CdMediaEntry& row : rows) {
    if (stopAtEmptyLeadIn && IsEmptyKey(row.LeadInKey)) return nullptr;
    const auto in = ReadCdKey(row.LeadInKey);
    const auto out = ReadCdKey(row.LeadOutKey);
    if (!in || !out) continue;
    if (*in == leadIn && *out == leadOut) return &row;
  }
  return nullptr;
}

const CdMediaEntry* FindCdRowByLeadIn(std::span<const CdMediaEntry> rows, int64_t leadIn) {
  for (const CdMediaEntry& row : rows) {
    if (IsEmptyKey(row.LeadInKey)) return nullptr;
    const auto in = ReadCdKey(row.LeadInKey);
    if (in && *in == leadIn) return &row;
  }
  return nullptr;
}

const DvdMediaEntry* FindDvdRow(std::span<const DvdMediaEntry> rows, const DvdKey& key) {
  for (const DvdMediaEntry& row : rows) {
    size_t n = 0;
    while (n < key.size() && EqualIgnoringCase(row.MediaIdKey[n], key[n])) ++n;
    if (n == key.size()) return &row;
  }
  return nullptr;
}

ManufacturerMatch MatchCdRows(std::span<const CdMediaEntry> userRows,
                              std::span<const CdMediaEntry> blockRows, int64_t leadIn,
                              int64_t leadOut) {
  if (const auto* row = FindCdRowByBothKeys(userRows, leadIn, leadOut, false)) {
    return MatchOf(row, ManufacturerSource::UserFile);
  }
  if (const auto* row = FindCdRowByBothKeys(blockRows, leadIn, leadOut, true)) {
    return MatchOf(row, ManufacturerSource::OemTable);
  }
  return MatchOf(FindCdRowByLeadIn(blockRows, leadIn), ManufacturerSource::OemTable);
}

ManufacturerMatch MatchDvdRows(std::span<const DvdMediaEntry> userRows,
                               std::span<const DvdMediaEntry> blockRows, const DvdKey& key) {
  if (const auto* row = FindDvdRow(userRows, key)) {
    return MatchOf(row, ManufacturerSource::UserFile);
  }
  return MatchOf(FindDvdRow(blockRows, key), ManufacturerSource::OemTable);
}

}  // namespace custom
