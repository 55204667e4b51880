#include "media/kinds.h"

namespace media {
namespace {

template <size_t N>
constexpr std::array<char, N> PaddedName(std::string_view name, size_t padTo) {
  std::array<char, N> record{};
  for (size_t i = 0; i < N - 1; ++i) {
    if (i < name.size()) {
      record[i] = name[i];
    } else if (i < padTo) {
      record[i] = ' ';
    }
  }
  return record;
}

constexpr std::array<DriveKindRecord, 17> DriveRecords() {
  std::array<DriveKindRecord, 17> records{};
  for (size_t i = 0; i < records.size(); ++i) records[i] = PaddedName<19>(kDriveKinds[i].name, 9);
  return records;
}

constexpr std::array<DiscKindRecord, 29> DiscRecords() {
  std::array<DiscKindRecord, 29> records{};
  for (size_t i = 0; i < records.size(); ++i) records[i] = PaddedName<23>(kDiscKinds[i].name, 21);
  return records;
}

template <typename Table>
constexpr bool RowsInCodeOrder(const Table& table) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (Code(table[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsInCodeOrder(kDiscKinds));
static_assert(RowsInCodeOrder(kDriveKinds));
static_assert(Code(DriveKind::BdRecordable) + 1u == kDriveKinds.size());

constexpr std::array<DriveKindRecord, 17> kDriveKindRecords = DriveRecords();
constexpr std::array<DiscKindRecord, 29> kDiscKindRecords = DiscRecords();

}  // namespace

const DiscKindInfo& InfoOf(DiscKind kind) {
  const size_t code = Code(kind);
  return code < kDiscKinds.size() ? kDiscKinds[code] : kDiscKinds[Code(DiscKind::Unknown)];
}

const DriveKindInfo& InfoOf(DriveKind kind) {
  const size_t code = Code(kind);
  return code < kDriveKinds.size() ? kDriveKinds[code] : kDriveKinds[Code(DriveKind::Unknown)];
}

DiscKind CdRKind(uint8_t subType) {
  constexpr std::array<DiscKind, 8> kBySubType{DiscKind::CdR,           DiscKind::CdRType1,
                                               DiscKind::CdRTypeAMinus, DiscKind::CdRTypeAPlus,
                                               DiscKind::CdRTypeBMinus, DiscKind::CdRTypeBPlus,
                                               DiscKind::CdRTypeCMinus, DiscKind::CdRTypeCPlus};
  return kBySubType[subType & 7];
}

DiscKind CdRwKind(uint8_t subType) {
  constexpr std::array<DiscKind, 4> kBySubType{DiscKind::CdRwNormal, DiscKind::CdRwHighSpeed,
                                               DiscKind::CdRwUltraSpeed24,
                                               DiscKind::CdRwUltraSpeed32};
  return subType < kBySubType.size() ? kBySubType[subType] : DiscKind::Unknown;
}

const std::array<DriveKindRecord, 17>& DriveKindNames() {
  return kDriveKindRecords;
}
const std::array<DiscKindRecord, 29>& DiscKindNames() {
  return kDiscKindRecords;
}

const char* DriveKindName(DriveKind kind) {
  return Code(kind) < kDriveKindRecords.size() ? kDriveKindRecords[Code(kind)].data() : "";
}

const char* DiscKindName(DiscKind kind) {
  return Code(kind) < kDiscKindRecords.size() ? kDiscKindRecords[Code(kind)].data() : "";
}

}  // namespace media
