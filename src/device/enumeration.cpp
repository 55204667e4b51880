// Finding, sorting and identifying the optical drives at construction.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "device/atapi_device.h"
#include "text/fixed_text.h"

namespace device {
namespace {

constexpr int kIdentityAttempts = 10;
constexpr uint8_t kCdromDeviceType = 0x05;
constexpr int kAspiTargets = 16;
constexpr int kAspiLuns = 8;
// Drives whose address query fails get adapter numbers from this one upward.
constexpr int kFirstSubstituteAdapter = 2;

int32_t SortKey(const DriveEntry& entry) {
  return int32_t{entry.Adapter} * 4096 + int32_t{entry.Bus} * 256 + int32_t{entry.Target} * 16 +
         int32_t{entry.Lun};
}

}  // namespace

void AtapiDevice::EnumerateDrives() {
  bool rescanned = false;
  for (;;) {
    drives_ = {};
    driveCount_ = 0;
    if (useAspi_) {
      ScanAspi();
    } else {
      ScanSpti();
    }
    for (DriveEntry& entry : drives_) {
      if (!entry.Present) continue;
      ++driveCount_;
      entry.ViaAspi = useAspi_;
    }
    // An ASPI manager that sees fewer drives than the system has CD-ROM roots misses some:
    // list them through pass-through instead. The count is signed: -1 (no memory for the
    // root list) never triggers this.
    if (!rescanned && useAspi_ && osInfo_.IsNT() && CountCdromLetters() > driveCount_) {
      useAspi_ = false;
      UnloadAspi();
      rescanned = true;
      continue;
    }
    break;
  }
  SortDrives();

  if (!options_.identifyOnDemand) IdentifyAllDrives();
}

void AtapiDevice::IdentifyAllDrives() {
  if (options_.identifyInParallel && CanIdentifyInParallel()) {
    IdentifyInParallel();
    return;
  }
  for (int j = 0; j < driveCount_; ++j) IdentifyDrive(j);
}

// Drives asked at the same time each need a handle of their own, so only under pass-through:
// an ASPI manager is one library the list holds, taking one request at a time. No two entries
// may open the same root (one drive, one operation at a time), and the list must be fresh: no
// drive identified or selected yet, no stop request to hand to other threads.
bool AtapiDevice::CanIdentifyInParallel() const {
  if (!osInfo_.IsNT() || currentIndex_ >= 0 || stopRequest_ || driveCount_ < 2) return false;
  for (int j = 0; j < driveCount_; ++j) {
    const DriveEntry& entry = drives_[j];
    if (entry.ViaAspi || entry.Identified) return false;
    for (int k = 0; k < j; ++k) {
      if (drives_[k].RootPath == entry.RootPath) return false;
    }
  }
  return true;
}

// Each drive is identified by a worker device of its own on its own thread, exactly as the
// list identifies it in turn; the list then takes the workers' entries in list order, leaving
// out the drives the system refused, so that order, indices and entries are the ones asking
// the drives one after another gives.
void AtapiDevice::IdentifyInParallel() {
  const size_t count = static_cast<size_t>(driveCount_);
  std::vector<std::unique_ptr<AtapiDevice>> workers;
  workers.reserve(count);
  for (size_t j = 0; j < count; ++j) {
    workers.push_back(std::unique_ptr<AtapiDevice>(new AtapiDevice(*this, {&drives_[j], 1})));
  }
  std::vector<char> kept(count, 0);
  system_.RunConcurrently(
      count, [&workers, &kept](size_t j) { kept[j] = workers[j]->IdentifyOrRemove(0) ? 1 : 0; });
  std::array<DriveEntry, kMaxDrives> listed{};
  int16_t listedCount = 0;
  for (size_t j = 0; j < count; ++j) {
    TakeWorker(*workers[j], kept[j] ? listedCount : -1);
    if (kept[j]) listed[static_cast<size_t>(listedCount++)] = workers[j]->drives_[0];
  }
  drives_ = listed;
  driveCount_ = listedCount;
}

void AtapiDevice::TakeWorker(AtapiDevice& worker, int index) {
  if (index >= 0) snapshot_.TakeFrom(worker.snapshot_, 0, index);
  unansweredCommands_ += worker.unansweredCommands_;
  refusedCommands_ += worker.refusedCommands_;
  // The last command of the last drive is the last command of the list.
  sense_ = worker.sense_;
  timedOut_ = worker.timedOut_;
  bytesTransferred_ = worker.bytesTransferred_;
  answerLength_ = worker.answerLength_;
  std::copy_n(worker.responseBuffer_.get(), answerLength_, responseBuffer_.get());
}

void AtapiDevice::IdentifyDrive(int j) {
  int selected = currentIndex_;
  // A drive that leaves the list gives its place to the next one, which is identified in turn.
  while (IsDriveIndexValid(j) && !drives_[j].Identified) {
    if (!IdentifyOrRemove(j) && selected > j) --selected;
  }
  if (selected >= 0 && selected != currentIndex_) OpenDrive(selected);
}

bool AtapiDevice::IdentifyOrRemove(int j) {
  OpenDrive(j);
  const uint32_t unansweredBefore = UnansweredCommands();
  const uint32_t refusedBefore = RefusedCommands();
  ClearUnitAttention();
  DriveEntry& entry = drives_[j];
  bool identified = false;
  for (int attempt = 0; attempt < kIdentityAttempts && !identified; ++attempt) {
    identified = ReadIdentity();
    if (!identified && RefusedCommands() != refusedBefore) break;
  }
  if (!identified && RefusedCommands() != refusedBefore) {
    // A drive to which the system refuses every identity command is left out of the list, as
    // a drive that cannot be opened is: the system's drive diagnosis says why.
    CloseDrive();
    // What it answered (a TEST UNIT READY) is not the answer of the drive that takes its index.
    snapshot_.Forget(j);
    entry.Present = false;
    SortDrives();
    driveCount_ = static_cast<int16_t>(std::count_if(
        drives_.begin(), drives_.end(), [](const DriveEntry& e) { return e.Present; }));
    return false;
  }
  entry.Identified = true;
  entry.IdentityUnanswered = !identified && UnansweredCommands() != unansweredBefore;
  if (identified) {
    entry.DisplayName.fill('\0');
    entry.Vendor = currentVendor_;
    entry.Product = currentProduct_;
    entry.Revision = currentRevision_;
    entry.VendorSpecific = currentVendorSpecific_;
    std::memcpy(entry.DisplayName.data(), currentVendor_.data(), 8);
    std::memcpy(entry.DisplayName.data() + 8, currentProduct_.data(), 16);
  }
  if (options_.describe) options_.describe(*this, j);
  CloseDrive();
  return true;
}

void AtapiDevice::ScanSpti() {
  const auto roots = system_.LogicalDriveRoots();
  if (!roots || roots->empty()) return;
  int used = 0;
  int withoutAddress = 0;
  for (const std::string& root : *roots) {
    if (used >= kMaxDrives) break;
    if (system_.GetDriveType(root) != platform::DriveType::Cdrom) continue;
    DriveEntry& entry = drives_[used++];
    text::SetText(entry.RootPath, root);
    entry.ViaAspi = false;
    platform::ScsiAddress address;
    switch (GetScsiAddress(root, address)) {
      case AddressQuery::NotFound:
        break;
      case AddressQuery::FoundWithoutAddress:
        entry.Present = true;
        entry.Adapter = static_cast<int16_t>(kFirstSubstituteAdapter + withoutAddress++);
        entry.Target = entry.Lun = entry.Bus = 0;
        break;
      case AddressQuery::Found:
        entry.Present = true;
        entry.Adapter = address.PortNumber;
        entry.Target = address.TargetId;
        entry.Lun = address.Lun;
        entry.Bus = address.PathId;
        break;
    }
  }
}

AtapiDevice::AddressQuery AtapiDevice::GetScsiAddress(const std::string& root,
                                                      platform::ScsiAddress& address) {
  auto handle = system_.OpenDevice(root);
  if (!handle) return AddressQuery::NotFound;
  if (!handle->GetScsiAddress(address)) return AddressQuery::FoundWithoutAddress;
  if (address.Length == 0) return AddressQuery::NotFound;
  return AddressQuery::Found;
}

void AtapiDevice::ScanAspi() {
  if (!aspiLibrary_ || !hasSendCommand_) return;
  platform::AspiRequest inquiry;
  inquiry.Command = platform::kAspiHostAdapterInquiry;
  inquiry.HaId = 0;
  aspiLibrary_->SendASPI32Command(inquiry);
  if (inquiry.Status != platform::kAspiCompleted) return;
  const int adapters = inquiry.HaCount;
  int used = 0;
  for (int a = 0; a < adapters; ++a) {
    platform::AspiRequest adapterInquiry;
    adapterInquiry.Command = platform::kAspiHostAdapterInquiry;
    adapterInquiry.HaId = static_cast<uint8_t>(a);
    aspiLibrary_->SendASPI32Command(adapterInquiry);
    if (adapterInquiry.Status != platform::kAspiCompleted) return;
    for (int t = 0; t < kAspiTargets; ++t) {
      for (int l = 0; l < kAspiLuns; ++l) {
        platform::AspiRequest typeRequest;
        typeRequest.Command = platform::kAspiGetDeviceType;
        typeRequest.HaId = static_cast<uint8_t>(a);
        typeRequest.Target = static_cast<uint8_t>(t);
        typeRequest.Lun = static_cast<uint8_t>(l);
        aspiLibrary_->SendASPI32Command(typeRequest);
        if (typeRequest.Status != platform::kAspiCompleted ||
            typeRequest.DeviceType != kCdromDeviceType || used >= kMaxDrives) {
          continue;
        }
        DriveEntry& entry = drives_[used++];
        entry.Present = true;
        entry.Adapter = static_cast<int16_t>(a);
        entry.Target = static_cast<int16_t>(t);
        entry.Lun = static_cast<int16_t>(l);
        entry.Bus = 0;
      }
    }
  }
}

int AtapiDevice::CountCdromLetters() {
  const auto roots = system_.LogicalDriveRoots();
  if (!roots) return -1;
  return static_cast<int>(std::count_if(roots->begin(), roots->end(), [&](const std::string& r) {
    return system_.GetDriveType(r) == platform::DriveType::Cdrom;
  }));
}

void AtapiDevice::SortDrives() {
  std::array<DriveEntry, kMaxDrives> present{};
  int count = 0;
  for (const DriveEntry& entry : drives_) {
    if (entry.Present) present[count++] = entry;
  }
  std::stable_sort(
      present.begin(), present.begin() + count,
      [](const DriveEntry& a, const DriveEntry& b) { return SortKey(a) < SortKey(b); });
  drives_ = present;
}

}  // namespace device
