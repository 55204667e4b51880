#include "device/atapi_device.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "text/fixed_text.h"

namespace device {

AtapiDevice::AtapiDevice(platform::System& system, DeviceOptions options)
    : system_(system),
      options_(std::move(options)),
      waitTimer_(system),
      commandTimer_(system),
      osInfo_(system),
      aspiRequest_(std::make_unique<platform::AspiRequest>()),
      responseBuffer_(new uint8_t[kBufferSize]()),
      dataOutBuffer_(new uint8_t[kBufferSize]()) {
  ChooseTransport();
  EnumerateDrives();
}

AtapiDevice::AtapiDevice(const AtapiDevice& list, std::span<const DriveEntry> entries)
    : system_(list.system_),
      options_(list.options_),
      waitTimer_(list.system_),
      commandTimer_(list.system_),
      osInfo_(list.osInfo_),
      responseBuffer_(new uint8_t[kBufferSize]()),
      dataOutBuffer_(new uint8_t[kBufferSize]()) {
  options_.identifyInParallel = false;
  aspiAvailable_ = list.aspiAvailable_;
  std::copy(entries.begin(), entries.end(), drives_.begin());
  driveCount_ = static_cast<int16_t>(entries.size());
}

std::unique_ptr<AtapiDevice> AtapiDevice::CopyOfList(const AtapiDevice& list) {
  const std::span<const DriveEntry> entries(list.drives_.data(),
                                            static_cast<size_t>(list.driveCount_));
  for (const DriveEntry& entry : entries) {
    if (entry.ViaAspi) return nullptr;
  }
  return std::unique_ptr<AtapiDevice>(new AtapiDevice(list, entries));
}

AtapiDevice::~AtapiDevice() {
  UnloadAspi();
  CloseDrive();
}

const DriveEntry* AtapiDevice::GetDriveEntry(unsigned index) {
  if (index < drives_.size()) IdentifyDrive(static_cast<int>(index));
  return std::as_const(*this).GetDriveEntry(index);
}

const DriveEntry* AtapiDevice::GetDriveEntry(unsigned index) const {
  if (!IsDriveIndexValid(static_cast<int>(index))) return nullptr;
  return &drives_[index];
}

void AtapiDevice::SetDriveKind(unsigned index, uint8_t kindCode, const char* kindName) {
  if (index >= drives_.size()) return;
  drives_[index].Kind = kindCode;
  drives_[index].KindName = kindName;
}

void AtapiDevice::SetWritesCdR(unsigned index, bool writes) {
  if (index < drives_.size()) drives_[index].WritesCdR = writes;
}

bool AtapiDevice::IsDriveIndexValid(int index) const {
  return index >= 0 && index < driveCount_ && index < kMaxDrives && drives_[index].Present;
}

void AtapiDevice::ResetAddress() {
  currentAdapter_ = currentTarget_ = currentLun_ = currentBus_ = -1;
}

bool AtapiDevice::SelectDrive(int index) {
  if (!IsDriveIndexValid(index)) return false;
  IdentifyDrive(index);
  return OpenDrive(index);
}

bool AtapiDevice::OpenDrive(int index) {
  if (!IsDriveIndexValid(index)) return false;
  if (driveHandle_) CloseDrive();
  const DriveEntry& entry = drives_[index];
  useAspi_ = entry.ViaAspi;
  currentIndex_ = static_cast<int16_t>(index);
  currentAdapter_ = entry.Adapter;
  currentTarget_ = entry.Target;
  currentLun_ = entry.Lun;
  currentBus_ = entry.Bus;
  currentVendor_ = entry.Vendor;
  currentProduct_ = entry.Product;
  currentRevision_ = entry.Revision;
  currentVendorSpecific_ = entry.VendorSpecific;
  if (osInfo_.IsNT() && !useAspi_) {
    driveHandle_ = system_.OpenDevice(std::string(text::TextOf(entry.RootPath)));
    if (!driveHandle_) {
      currentIndex_ = -1;
      ResetAddress();
      return false;
    }
  }
  return true;
}

void AtapiDevice::CloseDrive() {
  driveHandle_.reset();
  ResetAddress();
  currentIndex_ = -1;
}

}  // namespace device
