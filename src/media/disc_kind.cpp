#include "media/disc_kind.h"

#include <cstring>

#include "media/answers/atip_answer.h"
#include "media/answers/configuration.h"
#include "media/answers/dvd_structures.h"
#include "media/atip.h"
#include "media/drive_kind.h"

namespace media {
namespace {

constexpr int kReadyWaitSeconds = 120;

constexpr uint16_t kAtipLength = 24;

DiscKind KindOfBookType(uint8_t bookType) {
  switch (bookType) {
    case 0:
      return DiscKind::DvdRom;
    case 1:
      return DiscKind::DvdRam;
    case 2:
      return DiscKind::DvdMinusR;
    case 3:
      return DiscKind::DvdMinusRw;
    case 9:
      return DiscKind::DvdPlusRw;
    case 10:
      return DiscKind::DvdPlusR;
    case 14:
      return DiscKind::DvdPlusRDl;
    default:
      return DiscKind::Unknown;
  }
}

// Reads the BD disc information; a kind when the identifier is known.
std::optional<DiscKind> ReadBdDiscInfo(device::AtapiDevice& device, bool& triedBd,
                                       BdDiscRecord& info) {
  const auto answer = ReadBdDiscInformation(device);
  triedBd = answer.has_value();
  if (!answer) return std::nullopt;
  const device::ResponseView& from = answer->answer;
  info.fill(0);
  from.Copy(BdDiscInformation::kTypeAt, 3, info.data() + kBdTypeAt);
  const bool writable = answer->TypeIs("BDR") || answer->TypeIs("BDW");
  if (writable) {
    from.Copy(BdDiscInformation::kMidAt, 6, info.data() + kBdMidAt);
    from.Copy(BdDiscInformation::kTidAt, 3, info.data() + kBdTidAt);
    from.Copy(BdDiscInformation::kTimeStampAt, 2, info.data() + kBdTimeStampAt);
    info[kBdRevisionAt] = from.At(BdDiscInformation::kRevisionAt);
  }
  const bool dual = answer->DualLayer();
  info[kBdDualLayerAt] = dual ? 1 : 0;
  const std::string_view type(reinterpret_cast<const char*>(info.data()), 3);
  if (type == "BDO") return dual ? DiscKind::BdRomDl : DiscKind::BdRom;
  if (type == "BDR") return dual ? DiscKind::BdRDl : DiscKind::BdR;
  if (type == "BDW") return dual ? DiscKind::BdReDl : DiscKind::BdRe;
  return std::nullopt;
}

DiscKind KindOfCurrentProfile(uint16_t profile, DiscKind otherwise) {
  switch (profile) {
    case 0x0008:
      return DiscKind::CdRom;
    case 0x0009:
      return DiscKind::CdRTypeAMinus;
    case 0x000A:
      return DiscKind::CdRwNormal;
    case 0x0010:
      return DiscKind::DvdRom;
    case 0x0011:
      return DiscKind::DvdMinusR;
    case 0x0012:
      return DiscKind::DvdRam;
    case 0x0013:
    case 0x0014:
      return DiscKind::DvdMinusRw;
    case 0x0015:
    case 0x0016:  // DVD-R DL written with layer jumps
    case 0x0033:
      return DiscKind::DvdMinusRDl;
    case 0x001A:
      return DiscKind::DvdPlusRw;
    case 0x001B:
      return DiscKind::DvdPlusR;
    case 0x002B:
      return DiscKind::DvdPlusRDl;
    default:
      return otherwise;
  }
}

// Tries the DVD physical format, the BD disc information and the ATIP in turn; a kind
// when one of them settles it, otherwise the provisional kind through `provisional`.
DvdRamRecord DvdRamRecordOf(const PhysicalFormat& format) {
  // The last byte of the record lies just past the bytes asked for; it was not sent.
  DvdRamRecord ram{};
  format.answer.Copy(PhysicalFormat::kDvdRamInfoAt, ram.size(), ram.data());
  return ram;
}

std::optional<PhysicalFormat> ReadWholePhysicalFormat(device::AtapiDevice& device) {
  return ReadPhysicalFormat(device, PhysicalFormat::kWithDvdRamRecordLength);
}

std::optional<DiscKind> ReadDiscSources(device::AtapiDevice& device, DiscKind& provisional,
                                        DiscClass& records) {
  provisional = DiscKind::Unknown;
  // The transport clears the bytes asked for before every data-in command, so a short
  // answer leaves zeros there.
  const auto format = ReadWholePhysicalFormat(device);
  if (format && device.BytesTransferred() < 4) return std::nullopt;
  if (format && format->DataAreaStartsAt030000h()) {
    provisional = KindOfBookType(format->BookType());
    if (provisional == DiscKind::DvdRam) records.dvdRam = DvdRamRecordOf(*format);
    return std::nullopt;
  }

  bool bdAnswered = false;
  if (auto bd = ReadBdDiscInfo(device, bdAnswered, records.bd)) return bd;
  if (bdAnswered) return std::nullopt;

  const auto atip = ReadAtip(device, false, kAtipLength);
  if (!atip || atip->answer.At(AtipAnswer::kLengthLowByte) <= 4 || !atip->IsAtip()) {
    return std::nullopt;
  }
  const uint8_t subType = atip->SubType();
  if (atip->Rewritable()) {
    if (subType <= 3) return CdRwKind(subType);
    return std::nullopt;
  }
  return CdRKind(subType);
}

}  // namespace

DiscClass ClassifyDisc(device::AtapiDevice& device, std::optional<DriveKind> driveKind) {
  DiscClass disc;
  device.WaitUntilReady(kReadyWaitSeconds);
  if (device::Classify(device.LastSense()) == device::SenseClass::NoMedium) return disc;
  // A drive that could not be classified before the wait is asked again now that it may be
  // ready.
  const bool known = driveKind && *driveKind != DriveKind::Unknown;
  if ((known ? *driveKind : DetectDriveKind(device)) == DriveKind::CdRom) {
    disc.kind = DiscKind::CdRom;
    return disc;
  }

  DiscKind provisional = DiscKind::Unknown;
  if (auto settled = ReadDiscSources(device, provisional, disc)) {
    disc.kind = *settled;
    return disc;
  }
  disc.kind = provisional;
  if (const auto configuration = ReadCurrentProfileAnswer(device)) {
    // A DVD-RAM known only from its profile had nothing of its own read: its record stays
    // empty.
    disc.kind = KindOfCurrentProfile(configuration->CurrentProfile(), provisional);
  }
  return disc;
}

DvdRamRecord ReadDvdRamRecord(device::AtapiDevice& device) {
  const auto format = ReadWholePhysicalFormat(device);
  return format ? DvdRamRecordOf(*format) : DvdRamRecord{};
}

bool IsBdRom(const BdDiscRecord& record) {
  return std::memcmp(record.data() + kBdTypeAt, "BDO", 3) == 0;
}

}  // namespace media
