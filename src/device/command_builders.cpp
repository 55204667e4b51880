// One builder per command: a 12-byte CDB from a template, filled from the arguments.
#include "device/atapi_device.h"
#include "platform/big_endian.h"
#include "platform/mmc_opcodes.h"

namespace device {
namespace {

using platform::PutBE16;
using platform::PutBE32;
namespace mmc = platform::mmc;

Cdb Template(uint8_t opcode) {
  Cdb cdb{};
  cdb[0] = opcode;
  return cdb;
}

// The 10-byte commands all carry their allocation (or parameter list) length in bytes 7-8
// and the control byte in byte 9.
Cdb Cdb10(uint8_t opcode, uint16_t length, uint8_t control) {
  Cdb cdb = Template(opcode);
  PutBE16(cdb, 7, length);
  cdb[9] = control;
  return cdb;
}

// The 12-byte commands carry the control byte in byte 11; their lengths lie in different places.
Cdb Cdb12(uint8_t opcode, uint8_t control) {
  Cdb cdb = Template(opcode);
  cdb[11] = control;
  return cdb;
}

}  // namespace

bool AtapiDevice::Inquiry(uint8_t cmdDt, uint8_t evpd, uint8_t pageCode, uint32_t allocationLength,
                          uint8_t control) {
  Cdb cdb = Template(mmc::kInquiry);
  cdb[1] = static_cast<uint8_t>((cmdDt & 1) * 2 + (evpd & 1));
  cdb[2] = pageCode;
  cdb[4] = static_cast<uint8_t>(allocationLength);
  cdb[5] = control;
  return ExecuteCdb(cdb, Direction::In, allocationLength & 0xFF);
}

bool AtapiDevice::TestUnitReady() {
  return ExecuteCdb(Template(mmc::kTestUnitReady), Direction::None, 0);
}

bool AtapiDevice::GetConfiguration(uint8_t rt, uint16_t startingFeature, uint16_t allocationLength,
                                   uint8_t control) {
  Cdb cdb = Cdb10(mmc::kGetConfiguration, allocationLength, control);
  cdb[1] = rt & 3;
  PutBE16(cdb, 2, startingFeature);
  return ExecuteCdb(cdb, Direction::In, allocationLength);
}

bool AtapiDevice::ModeSelect10(uint8_t sp, uint16_t parameterListLength, uint8_t control) {
  Cdb cdb = Cdb10(mmc::kModeSelect10, parameterListLength, control);
  cdb[1] = static_cast<uint8_t>(0x10 + (sp & 1));
  return ExecuteCdb(cdb, Direction::Out, parameterListLength);
}

bool AtapiDevice::ModeSense10(uint8_t dbd, uint8_t pageControl, uint8_t pageCode,
                              uint16_t allocationLength, uint8_t control) {
  Cdb cdb = Cdb10(mmc::kModeSense10, allocationLength, control);
  cdb[1] = static_cast<uint8_t>((dbd & 1) * 8);
  cdb[2] = static_cast<uint8_t>((pageControl & 3) * 64 + (pageCode & 0x3F));
  return ExecuteCdb(cdb, Direction::In, allocationLength);
}

bool AtapiDevice::ReadDiscStructure(uint32_t address, uint8_t layer, uint8_t format,
                                    uint16_t allocationLength, uint8_t agid, uint8_t control) {
  return ReadDiscStructureMedia(address, 0, layer, format, allocationLength, agid, control);
}

bool AtapiDevice::ReadDiscStructureMedia(uint32_t address, uint8_t mediaType, uint8_t layer,
                                         uint8_t format, uint16_t allocationLength, uint8_t agid,
                                         uint8_t control) {
  Cdb cdb = Cdb12(mmc::kReadDiscStructure, control);
  cdb[1] = mediaType;
  PutBE32(cdb, 2, address);
  cdb[6] = layer;
  cdb[7] = format;
  PutBE16(cdb, 8, allocationLength);
  cdb[10] = static_cast<uint8_t>((agid & 3) * 64);
  return ExecuteCdb(cdb, Direction::In, allocationLength);
}

bool AtapiDevice::ReadTocPmaAtip(uint8_t msf, uint8_t format, uint8_t trackNumber,
                                 uint16_t allocationLength, uint8_t control) {
  Cdb cdb = Cdb10(mmc::kReadTocPmaAtip, allocationLength, control);
  cdb[1] = static_cast<uint8_t>((msf & 1) * 2);
  cdb[2] = format & 0x0F;
  cdb[6] = trackNumber;
  return ExecuteCdb(cdb, Direction::In, allocationLength);
}

bool AtapiDevice::ReadVendorMediaId() {
  Cdb cdb = Template(mmc::kVendorMediaId);
  cdb[1] = 0x00;
  cdb[2] = 0x03;
  cdb[3] = 0x01;
  return ExecuteCdb(cdb, Direction::In, 12);
}

bool AtapiDevice::ReadDiscInformation(uint16_t allocationLength, uint8_t control) {
  return ExecuteCdb(Cdb10(mmc::kReadDiscInformation, allocationLength, control), Direction::In,
                    allocationLength);
}

bool AtapiDevice::ReadFormatCapacities(uint16_t allocationLength, uint8_t control) {
  return ExecuteCdb(Cdb10(mmc::kReadFormatCapacities, allocationLength, control), Direction::In,
                    allocationLength);
}

bool AtapiDevice::ReadTrackInformation(uint8_t addressType, uint32_t address,
                                       uint16_t allocationLength, uint8_t control) {
  Cdb cdb = Cdb10(mmc::kReadTrackInformation, allocationLength, control);
  cdb[1] = addressType & 3;
  PutBE32(cdb, 2, address);
  return ExecuteCdb(cdb, Direction::In, allocationLength);
}

// The last block's address and the block length, 8 bytes.
bool AtapiDevice::ReadCapacity() {
  return ExecuteCdb(Template(mmc::kReadCapacity), Direction::In, 8);
}

bool AtapiDevice::GetPerformance(uint8_t dataType, uint32_t startingLba, uint16_t maxDescriptors,
                                 uint8_t type, uint8_t control, uint32_t transferLength) {
  Cdb cdb = Cdb12(mmc::kGetPerformance, control);
  cdb[1] = dataType & 0x1F;
  PutBE32(cdb, 2, startingLba);
  PutBE16(cdb, 8, maxDescriptors);
  cdb[10] = type;
  return ExecuteCdb(cdb, Direction::In, transferLength);
}

bool AtapiDevice::SetStreaming(uint16_t parameterListLength, uint8_t control) {
  Cdb cdb = Cdb12(mmc::kSetStreaming, control);
  PutBE16(cdb, 9, parameterListLength);
  return ExecuteCdb(cdb, Direction::Out, parameterListLength);
}

bool AtapiDevice::SetCdSpeed(uint8_t rotationControl, uint16_t readSpeed, uint16_t writeSpeed,
                             uint8_t control) {
  Cdb cdb = Cdb12(mmc::kSetCdSpeed, control);
  cdb[1] = rotationControl & 3;
  PutBE16(cdb, 2, readSpeed);
  PutBE16(cdb, 4, writeSpeed);
  return ExecuteCdb(cdb, Direction::None, 0);
}

}  // namespace device
