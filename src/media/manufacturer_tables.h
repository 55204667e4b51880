// The built-in manufacturer tables: CD lead-in ranges and DVD media-ID prefixes. Both are
// fixed-layout records, kept in the order the searches rely on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace media {

// A CD record covers the lead-in time numbers from its bound up to the next record's.
struct CdManufacturerRecord {
  uint8_t bound[4];  // ATIP time number, little-endian
  char name[48];     // NUL-terminated, NUL-padded
};
static_assert(sizeof(CdManufacturerRecord) == 52);
static_assert(offsetof(CdManufacturerRecord, bound) == 0);
static_assert(offsetof(CdManufacturerRecord, name) == 4);

struct DvdManufacturerRecord {
  char key[10];       // upper-case ID prefix, NUL-padded; may fill all 10 bytes
  uint8_t typeId[4];  // always NUL
  char name[48];      // NUL-terminated, NUL-padded
};
static_assert(sizeof(DvdManufacturerRecord) == 62);
static_assert(offsetof(DvdManufacturerRecord, key) == 0);
static_assert(offsetof(DvdManufacturerRecord, typeId) == 10);
static_assert(offsetof(DvdManufacturerRecord, name) == 14);

inline constexpr size_t kCdManufacturerCount = 129;  // 128 ranges and the end record
inline constexpr size_t kDvdManufacturerCount = 54;

extern const std::array<CdManufacturerRecord, kCdManufacturerCount> CdManufacturerTable;
extern const std::array<DvdManufacturerRecord, kDvdManufacturerCount> DvdManufacturerTable;

uint32_t BoundOf(const CdManufacturerRecord& record);
// Field texts up to their first NUL, never past their width.
std::string_view NameOf(const CdManufacturerRecord& record);
std::string_view KeyOf(const DvdManufacturerRecord& record);
std::string_view NameOf(const DvdManufacturerRecord& record);

}  // namespace media
