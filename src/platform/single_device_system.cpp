#include "platform/single_device_system.h"

namespace platform {
namespace {

constexpr size_t kLongestRoot = 7;   // a root path holds 7 characters and its NUL
constexpr uint32_t kPlatformNt = 2;  // a device path is reached by pass-through

class SingleDeviceSystem : public System {
 public:
  SingleDeviceSystem(std::unique_ptr<System> inner, std::string path)
      : inner_(std::move(inner)), path_(std::move(path)), root_(DeviceRootName(path_)) {}

  std::optional<uint32_t> PlatformId() override { return kPlatformNt; }
  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    return std::vector<std::string>{root_};
  }
  DriveType GetDriveType(const std::string& root) override {
    return root == root_ ? DriveType::Cdrom : DriveType::NoRootDir;
  }
  std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) override {
    return root == root_ ? inner_->OpenDeviceAt(path_) : nullptr;
  }
  std::unique_ptr<DeviceHandle> OpenDeviceAt(const std::string& path) override {
    return inner_->OpenDeviceAt(path);
  }
  // An ASPI manager would list its own drives, not the one asked for.
  std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string&) override { return nullptr; }
  std::unique_ptr<Event> CreateEvent() override { return inner_->CreateEvent(); }
  Registry& Settings() override { return inner_->Settings(); }
  bool QueryPerformanceFrequency(int64_t& frequency) override {
    return inner_->QueryPerformanceFrequency(frequency);
  }
  bool QueryPerformanceCounter(int64_t& count) override {
    return inner_->QueryPerformanceCounter(count);
  }
  void Sleep(uint32_t milliseconds) override { inner_->Sleep(milliseconds); }
  MessageSink& Messages() override { return inner_->Messages(); }
  // The one device's own problem, not those of the drives the system would list.
  std::vector<DriveProblem> DriveProblems() override {
    if (auto problem = inner_->DeviceProblem(path_)) return {*problem};
    return {};
  }
  std::optional<DriveProblem> DeviceProblem(const std::string& path) override {
    return inner_->DeviceProblem(path);
  }
  std::unique_ptr<DriveEvents> OpenDriveEvents(const WatchOptions& options) override {
    return inner_->OpenDriveEvents(options);
  }

 private:
  std::unique_ptr<System> inner_;
  std::string path_;
  std::string root_;
};

bool IsLetterDevice(const std::string& path) {
  return path.size() == 6 && path.compare(0, 4, "\\\\.\\") == 0 && path[5] == ':';
}

}  // namespace

std::string DeviceRootName(const std::string& path) {
  std::string device = path;
  while (device.size() > 1 && (device.back() == '/' || device.back() == '\\')) device.pop_back();
  if (IsLetterDevice(device)) return device.substr(4, 2) + "\\";
  const size_t separator = device.find_last_of("/\\");
  const std::string last = separator == std::string::npos ? device : device.substr(separator + 1);
  return last.substr(0, kLongestRoot);
}

std::unique_ptr<System> WithOnlyDevice(std::unique_ptr<System> inner, std::string path) {
  return std::make_unique<SingleDeviceSystem>(std::move(inner), std::move(path));
}

}  // namespace platform
