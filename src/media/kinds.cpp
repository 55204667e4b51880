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
  for (size_t i = 0; i < records.size(); ++i) records[i] = PaddedName<19>(kDriveKindNames[i], 9);
  return records;
}

constexpr std::array<DiscKindRecord, 29> DiscRecords() {
  std::array<DiscKindRecord, 29> records{};
  for (size_t i = 0; i < records.size(); ++i) records[i] = PaddedName<23>(kDiscKinds[i].name, 21);
  return records;
}

constexpr bool RowsInCodeOrder() {
  for (size_t i = 0; i < kDiscKinds.size(); ++i) {
    if (Code(kDiscKinds[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsInCodeOrder());
static_assert(Code(DriveKind::BdRecordable) + 1u == kDriveKindNames.size());

constexpr std::array<DriveKindRecord, 17> kDriveKindRecords = DriveRecords();
constexpr std::array<DiscKindRecord, 29> kDiscKindRecords = DiscRecords();

}  // namespace

const DiscKindInfo& InfoOf(DiscKind kind) {
  const size_t code = Code(kind);
  return code < kDiscKinds.size() ? kDiscKinds[code] : kDiscKinds[Code(DiscKind::Unknown)];
}

DiscKind CdRKind(uint8_t subType) {
  return static_cast<DiscKind>(Code(DiscKind::CdR) + (subType & 7));
}

DiscKind CdRwKind(uint8_t subType) {
  if (subType > 3) return DiscKind::Unknown;
  return static_cast<DiscKind>(Code(DiscKind::CdRwNormal) + subType);
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
