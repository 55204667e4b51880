// A drive whose every answer comes from the fuzzer: length, bytes, sense, success. Device
// construction, enumeration, a full report, a feature refresh and a switch must end, and the
// device layer's invariants must hold.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "features/feature_switches.h"
#include "features/feature_view.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/system.h"

namespace {

// Every command consumed at most this many answers; beyond them the drive fails everything,
// so each run ends even for inputs that would keep a wait going.
constexpr int kMaxAnswers = 400;

class FuzzedSystem;

class FuzzedDevice : public platform::DeviceHandle {
 public:
  explicit FuzzedDevice(FuzzedSystem& system) : system_(system) {}
  bool PassThrough(platform::PassThroughRequest& request) override;
  bool GetScsiAddress(platform::ScsiAddress& address) override;

 private:
  FuzzedSystem& system_;
};

class NullMessages : public platform::MessageSink {
 public:
  void ShowMessage(const std::string&, const std::string&, uint32_t) override {}
};

class NullRegistry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> OpenKey(const std::string&, Access) override {
    return nullptr;
  }
  std::unique_ptr<platform::RegistryKey> CreateKey(const std::string&) override { return nullptr; }
};

class FuzzedSystem : public platform::System {
 public:
  explicit FuzzedSystem(FuzzedDataProvider& data) : data(data) {}

  std::optional<uint32_t> PlatformId() override { return 2; }
  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    const int count = data.ConsumeIntegralInRange(0, 18);
    std::vector<std::string> roots;
    for (int i = 0; i < count; ++i)
      roots.push_back(std::string(1, static_cast<char>('C' + i)) + ":\\");
    return roots;
  }
  platform::DriveType GetDriveType(const std::string&) override {
    return data.ConsumeBool() ? platform::DriveType::Cdrom : platform::DriveType::Fixed;
  }
  std::unique_ptr<platform::DeviceHandle> OpenDevice(const std::string&) override {
    if (data.ConsumeIntegralInRange(0, 7) == 0) return nullptr;
    return std::make_unique<FuzzedDevice>(*this);
  }
  std::unique_ptr<platform::AspiLibrary> LoadAspiLibrary(const std::string&) override {
    return nullptr;
  }
  std::unique_ptr<platform::Event> CreateEvent() override { return nullptr; }
  platform::Registry& Settings() override { return registry_; }
  bool QueryPerformanceFrequency(int64_t& f) override {
    f = 1000;
    return true;
  }
  bool QueryPerformanceCounter(int64_t& c) override {
    c = nowMs;
    return true;
  }
  void Sleep(uint32_t ms) override { nowMs += ms; }
  platform::MessageSink& Messages() override { return messages_; }

  FuzzedDataProvider& data;
  int64_t nowMs = 0;
  int answers = 0;
  bool destroyed = false;

 private:
  NullRegistry registry_;
  NullMessages messages_;
};

bool FuzzedDevice::PassThrough(platform::PassThroughRequest& request) {
  if (system_.destroyed) std::abort();  // no command after the device is gone
  const uint32_t requested = request.DataTransferLength;
  if (request.DataBuffer == nullptr && requested != 0 && request.DataIn != 2) std::abort();
  if (++system_.answers > kMaxAnswers || system_.data.remaining_bytes() == 0) return false;
  FuzzedDataProvider& data = system_.data;
  system_.nowMs += data.ConsumeIntegralInRange<int64_t>(0, 3) == 3 ? 108001000 : 1;
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return false;  // the call itself fails
    case 1: {        // CHECK CONDITION with fuzzed sense
      const std::vector<uint8_t> sense = data.ConsumeBytes<uint8_t>(18);
      std::copy(sense.begin(), sense.end(), request.Sense.begin());
      request.ScsiStatus = 2;
      request.DataTransferLength = data.ConsumeIntegralInRange<uint32_t>(0, requested);
      return true;
    }
    default: {
      const uint32_t length = data.ConsumeIntegralInRange<uint32_t>(0, requested);
      if (request.DataIn == 1 && request.DataBuffer != nullptr) {
        const std::vector<uint8_t> bytes = data.ConsumeBytes<uint8_t>(length);
        std::copy(bytes.begin(), bytes.end(), request.DataBuffer);
        request.DataTransferLength = static_cast<uint32_t>(bytes.size());
      } else {
        request.DataTransferLength = length;
      }
      return true;
    }
  }
}

bool FuzzedDevice::GetScsiAddress(platform::ScsiAddress& address) {
  if (system_.data.ConsumeBool()) return false;
  address.Length = system_.data.ConsumeIntegralInRange<uint8_t>(0, 8);
  address.PortNumber = system_.data.ConsumeIntegral<uint8_t>();
  address.PathId = system_.data.ConsumeIntegral<uint8_t>();
  address.TargetId = system_.data.ConsumeIntegral<uint8_t>();
  address.Lun = system_.data.ConsumeIntegral<uint8_t>();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  FuzzedSystem system(data);
  {
    auto device = media::CreateDevice(system);
    media::SilentReportSink sink;
    for (int i = 0; i < device->GetDriveCount(); ++i) {
      if (!device->SelectDrive(i)) continue;
      media::RunMediaReport(*device, {}, sink);
      if (device->BytesTransferred() > device::kBufferSize) std::abort();
      features::RefreshAbilities(*device);
      features::Switch(*device, features::Feature::Trimwave, data.ConsumeBool());
      if (device->GetDriveCount() > device::kMaxDrives) std::abort();
    }
  }
  system.destroyed = true;
  return 0;
}
