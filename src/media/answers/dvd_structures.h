// The disc structures the program reads with READ DISC STRUCTURE, and the vendor answer
// that carries a DVD's IDs. Every offset counts from the start of the answer, its 4-byte
// header included, and is named once here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "device/atapi_device.h"

namespace media {

// Format 00h of a DVD: the physical format information.
struct PhysicalFormat {
  static constexpr uint8_t kFormat = 0x00;
  // The length asked for the ADIP IDs, and the one asked for the classification, which reaches
  // the DVD-RAM record (and holds the shorter answer).
  static constexpr uint16_t kIdLength = 36;
  static constexpr uint16_t kWithDvdRamRecordLength = 616;
  static constexpr size_t kBookTypeByte = 4;             // high nibble
  static constexpr size_t kDataAreaStartSecondByte = 9;  // 03h: the data area starts at 030000h
  static constexpr size_t kAdipMidAt = 23;      // + discs: the disc manufacturer ID, 8 bytes,
  static constexpr size_t kAdipTidAt = 31;      // then the media type ID, 3 bytes
  static constexpr size_t kDvdRamInfoAt = 553;  // DVD-RAM: the manufacturer's record

  // + discs: the recording velocities of the ADIP, each the linear velocity in units of
  // 0.25 m/s (ADIP byte n is answer byte n + 4). A DVD+R or +R DL names the primary (lowest)
  // and upper (highest) velocity of its basic write strategy in ADIP bytes 32 and 33; a DVD+RW
  // names its highest recording velocity in byte 32 alone, and byte 33 is the read power at
  // that velocity. Either counts only when the number of ADIP bytes in use (byte 31) reaches
  // it. Extended information block i (32 bytes from ADIP byte 64 + 32i) counts when bit i of
  // the indicators (byte 18) is set: its byte 0 holds the format number, its high bit set when
  // the block continues the one before (then it holds no velocities), and a present block
  // names its own primary and upper velocity in its bytes 2 and 3.
  static constexpr size_t kExtendedIndicatorsAt = 22;
  static constexpr size_t kAdipBytesInUseAt = 35;  // counts from physical format byte 0
  static constexpr size_t kPrimaryVelocityAt = 36;
  static constexpr size_t kUpperVelocityAt = 37;
  static constexpr size_t kExtendedBlocksAt = 68;
  static constexpr size_t kExtendedBlockSize = 32;
  static constexpr size_t kExtendedBlockCount = 8;
  static constexpr uint8_t kExtendedContinuationBit = 0x80;
  static constexpr size_t kExtendedPrimaryVelocityInBlock = 2;
  static constexpr size_t kExtendedUpperVelocityInBlock = 3;
  static constexpr size_t kHeaderSize = 4;

  device::ResponseView answer;

  uint8_t BookType() const { return answer.At(kBookTypeByte) >> 4; }
  bool DataAreaStartsAt030000h() const { return answer.At(kDataAreaStartSecondByte) == 0x03; }
  // The bytes the answer holds by its own data length field.
  size_t DeclaredSize() const { return size_t{answer.BE16(0)} + 2; }
  uint8_t ExtendedIndicators() const { return answer.At(kExtendedIndicatorsAt); }
  uint8_t AdipBytesInUse() const { return answer.At(kAdipBytesInUseAt); }
  static constexpr size_t ExtendedBlockAt(size_t i) {
    return kExtendedBlocksAt + i * kExtendedBlockSize;
  }
};

// Format 0Eh of a DVD-R or -RW: the pre-recorded information. The manufacturer ID is the
// information bytes of the fields at offsets 20 and 28.
struct PreRecordedInfo {
  static constexpr uint8_t kFormat = 0x0E;
  static constexpr uint16_t kLength = 50;
  static constexpr size_t kMidFirstAt = 21;   // 6 bytes
  static constexpr size_t kMidSecondAt = 29;  // 6 bytes

  device::ResponseView answer;
};

// The drive vendor's command that reads a DVD's IDs whatever the kind.
struct VendorMediaId {
  static constexpr size_t kMidAt = 0;  // up to 12 bytes
  static constexpr size_t kTidAt = 8;  // 3 bytes of a 4-byte field

  device::ResponseView answer;
};

// Format 00h of a BD (media type 1): the disc information, a header and one 112-byte unit.
struct BdDiscInformation {
  static constexpr uint16_t kLength = 116;
  static constexpr size_t kTypeAt = 12;        // "BDO", "BDR" or "BDW"
  static constexpr size_t kLayersByte = 16;    // high nibble counts the layers
  static constexpr size_t kMidAt = 104;        // 6 bytes, BDR and BDW only
  static constexpr size_t kTidAt = 110;        // 3 bytes
  static constexpr size_t kTimeStampAt = 113;  // 2 bytes
  static constexpr size_t kRevisionAt = 115;

  device::ResponseView answer;

  // The three identifier bytes are `id`.
  bool TypeIs(std::string_view id) const {
    return answer.At(kTypeAt) == id[0] && answer.At(kTypeAt + 1) == id[1] &&
           answer.At(kTypeAt + 2) == id[2];
  }
  bool DualLayer() const { return answer.At(kLayersByte) >= 0x20; }
};

// Each reader sends its command and gives the answer, or nothing when the command failed.
std::optional<PhysicalFormat> ReadPhysicalFormat(device::AtapiDevice& device, uint16_t length);
std::optional<PreRecordedInfo> ReadPreRecordedInfo(device::AtapiDevice& device, uint16_t length);
std::optional<VendorMediaId> ReadVendorMediaIdAnswer(device::AtapiDevice& device);
std::optional<BdDiscInformation> ReadBdDiscInformation(device::AtapiDevice& device);

}  // namespace media
