#include "platform/capture/capturing_system.h"

#include <nlohmann/json.hpp>

#include "platform/files/atomic_file.h"

namespace platform {
namespace {

std::string HexOf(const uint8_t* data, size_t size) {
  static const char* digits = "0123456789ABCDEF";
  std::string out = "hex:";
  for (size_t i = 0; i < size; ++i) {
    if (i != 0) out += ' ';
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  return out;
}

}  // namespace

class CapturingDevice : public DeviceHandle {
 public:
  CapturingDevice(std::unique_ptr<DeviceHandle> inner, CapturingSystem& owner, std::string root)
      : inner_(std::move(inner)), owner_(owner), root_(std::move(root)) {}

  bool PassThrough(PassThroughRequest& request) override {
    sim::RecordedCommand r;
    std::copy_n(request.Cdb.begin(), 12, r.cdb.begin());
    r.direction = request.DataIn;
    r.length = request.DataTransferLength;
    int64_t start = 0, stop = 0, frequency = 1;
    owner_.QueryPerformanceFrequency(frequency);
    owner_.QueryPerformanceCounter(start);
    const bool ok = inner_->PassThrough(request);
    owner_.QueryPerformanceCounter(stop);
    r.durationNs =
        frequency > 0 ? static_cast<uint64_t>((stop - start) * 1'000'000'000 / frequency) : 0;
    r.transportOk = ok;
    r.checkCondition = ok && request.ScsiStatus == 0x02;
    if (r.checkCondition) r.sense.assign(request.Sense.begin(), request.Sense.begin() + 18);
    if (ok && r.direction == 1 && request.DataBuffer != nullptr) {
      r.data.assign(request.DataBuffer,
                    request.DataBuffer + std::min(request.DataTransferLength, r.length));
    }
    owner_.roots_[root_].commands.push_back(std::move(r));
    return ok;
  }

  bool GetScsiAddress(ScsiAddress& address) override {
    const bool ok = inner_->GetScsiAddress(address);
    auto& record = owner_.roots_[root_];
    record.addressQueried = true;
    record.addressOk = ok;
    if (ok) record.address = address;
    return ok;
  }

 private:
  std::unique_ptr<DeviceHandle> inner_;
  CapturingSystem& owner_;
  std::string root_;
};

CapturingSystem::CapturingSystem(std::unique_ptr<System> inner) : inner_(std::move(inner)) {}

std::optional<std::vector<std::string>> CapturingSystem::LogicalDriveRoots() {
  auto roots = inner_->LogicalDriveRoots();
  if (roots) {
    for (const auto& root : *roots) {
      if (roots_.count(root) == 0) rootOrder_.push_back(root);
      roots_[root];
    }
  }
  return roots;
}

DriveType CapturingSystem::GetDriveType(const std::string& root) {
  const DriveType type = inner_->GetDriveType(root);
  if (roots_.count(root) == 0) rootOrder_.push_back(root);
  roots_[root].type = type;
  return type;
}

std::unique_ptr<DeviceHandle> CapturingSystem::OpenDevice(const std::string& root) {
  auto handle = inner_->OpenDevice(root);
  if (roots_.count(root) == 0) rootOrder_.push_back(root);
  if (!handle) return nullptr;
  roots_[root].opened = true;
  return std::make_unique<CapturingDevice>(std::move(handle), *this, root);
}

std::string CapturingSystem::FixtureText() const {
  nlohmann::ordered_json fixture;
  fixture["name"] = "capture";
  fixture["comment"] = "Recorded from real drives; every command is answered as the drive did.";
  fixture["platform"] = {{"nt", true}};
  nlohmann::ordered_json others = nlohmann::ordered_json::array();
  nlohmann::ordered_json drives = nlohmann::ordered_json::array();
  for (const std::string& root : rootOrder_) {
    const RootRecord& record = roots_.at(root);
    if (record.type != DriveType::Cdrom) {
      others.push_back({{"root", root}, {"type", static_cast<uint32_t>(record.type)}});
      continue;
    }
    nlohmann::ordered_json drive;
    drive["root"] = root;
    if (!record.opened) {
      drive["opens"] = false;
    } else if (!record.addressOk) {
      drive["address"] = "query-fails";
    } else if (record.address.Length == 0) {
      drive["address"] = "zero-length";
    } else {
      drive["address"] = {{"port", record.address.PortNumber},
                          {"path", record.address.PathId},
                          {"target", record.address.TargetId},
                          {"lun", record.address.Lun}};
    }
    nlohmann::ordered_json replay = nlohmann::ordered_json::array();
    for (const sim::RecordedCommand& r : record.commands) {
      nlohmann::ordered_json entry;
      entry["cdb"] = HexOf(r.cdb.data(), r.cdb.size());
      entry["direction"] = r.direction == 0 ? "out" : r.direction == 1 ? "in" : "none";
      entry["length"] = r.length;
      if (!r.transportOk) entry["transport_ok"] = false;
      if (r.checkCondition) {
        entry["check_condition"] = true;
        entry["sense"] = HexOf(r.sense.data(), r.sense.size());
      }
      if (!r.data.empty()) entry["data"] = HexOf(r.data.data(), r.data.size());
      entry["duration_us"] = r.durationNs / 1000;
      replay.push_back(std::move(entry));
    }
    // A drive that was listed but never sent anything still needs a recording, so the
    // replay rejects commands instead of answering from an invented model.
    if (replay.empty()) {
      replay.push_back({{"cdb", "hex:00 00 00 00 00 00 00 00 00 00 00 00"},
                        {"direction", "none"},
                        {"length", 0},
                        {"transport_ok", false}});
    }
    drive["replay"] = std::move(replay);
    drives.push_back(std::move(drive));
  }
  fixture["other_roots"] = std::move(others);
  fixture["drives"] = std::move(drives);
  return fixture.dump(1) + "\n";
}

bool CapturingSystem::WriteFixture(const std::string& path, std::string& error) const {
  const std::string text = FixtureText();
  const AtomicWriteResult written =
      WriteFileAtomically(path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, 0644,
                          LinkPolicy::ReplaceLink);
  if (!written.ok()) error = "cannot write \"" + path + "\": " + written.reason;
  return written.ok();
}

}  // namespace platform
