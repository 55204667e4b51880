#include "media/kinds.h"

#include <cstring>
#include <string_view>

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

constexpr DriveKindRecord DriveName(std::string_view name) {
  return PaddedName<19>(name, 9);
}
constexpr DiscKindRecord DiscName(std::string_view name) {
  return PaddedName<23>(name, 21);
}

constexpr std::array<DriveKindRecord, 17> kDriveKindNames{DriveName("UNKNOWN"),
                                                          DriveName("CD-ROM"),
                                                          DriveName("DVD-ROM"),
                                                          DriveName("CD-RW"),
                                                          DriveName("COMBO"),
                                                          DriveName("DVD-R"),
                                                          DriveName("DVD+R"),
                                                          DriveName("DVD+RW"),
                                                          DriveName("DVD-RW"),
                                                          DriveName("DVD+R/+RW"),
                                                          DriveName("DVD-R/-RW"),
                                                          DriveName("DVD DUAL"),
                                                          DriveName("DVD Super Multigen"),
                                                          DriveName("BD-ROM"),
                                                          DriveName("BD-R"),
                                                          DriveName("BD-R DUAL"),
                                                          DriveName("BD-Recordable")};

constexpr std::array<DiscKindRecord, 29> kDiscKindNames{DiscName("NO MEDIA"),
                                                        DiscName("UNKNOWN"),
                                                        DiscName("CD-ROM"),
                                                        DiscName("CDR"),
                                                        DiscName("CDR"),
                                                        DiscName("CDR (A-)"),
                                                        DiscName("CDR (A+)"),
                                                        DiscName("CDR (B-)"),
                                                        DiscName("CDR (B+)"),
                                                        DiscName("CDR (C-)"),
                                                        DiscName("CDR (C+)"),
                                                        DiscName("NORMAL CD-RW"),
                                                        DiscName("HIGH SPEED CD-RW"),
                                                        DiscName("ULTRA SPEED CD-RW 24X"),
                                                        DiscName("ULTRA SPEED CD-RW 32X"),
                                                        DiscName("DVD-ROM"),
                                                        DiscName("DVD-RAM"),
                                                        DiscName("DVD-R"),
                                                        DiscName("DVD-RW"),
                                                        DiscName("DVD+RW"),
                                                        DiscName("DVD+R"),
                                                        DiscName("DVD+R DL"),
                                                        DiscName("DVD-R DL"),
                                                        DiscName("BD-ROM"),
                                                        DiscName("BD-R"),
                                                        DiscName("BD-RE"),
                                                        DiscName("BD-ROM DL"),
                                                        DiscName("BD-R DL"),
                                                        DiscName("BD-RE DL")};

}  // namespace

const std::array<DriveKindRecord, 17>& DriveKindNames() {
  return kDriveKindNames;
}
const std::array<DiscKindRecord, 29>& DiscKindNames() {
  return kDiscKindNames;
}

const char* DriveKindName(DriveKind kind) {
  return kind < kDriveKindNames.size() ? kDriveKindNames[kind].data() : "";
}

const char* DiscKindName(DiscKind kind) {
  return kind < kDiscKindNames.size() ? kDiscKindNames[kind].data() : "";
}

bool IsCdFamily(DiscKind kind) {
  return kind >= 1 && kind <= 14;
}
bool IsDvdFamily(DiscKind kind) {
  return kind >= kDiscDvdRom && kind <= kDiscDvdRDl;
}
bool IsBdFamily(DiscKind kind) {
  return kind >= kDiscBdRom && kind <= kLastDiscKind;
}

bool IsDoubleLayer(DiscKind kind) {
  const char* name = DiscKindName(kind);
  const char* found = std::strstr(name, "DL");
  return found != nullptr && found - name + 1 >= 6;
}

}  // namespace media
