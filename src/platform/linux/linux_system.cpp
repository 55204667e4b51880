#include "platform/linux/linux_system.h"

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/linux/drive_checks.h"
#include "platform/linux/linux_drive_events.h"
#include "platform/linux/settings_file.h"
#include "platform/linux/sg_device.h"
#include "platform/linux/sysfs_drives.h"
#include "platform/run_on_threads.h"

namespace platform {
namespace {

constexpr uint32_t kPlatformNt = 2;  // pass-through is available

class LinuxSystem : public System {
 public:
  LinuxSystem(MessageSink& sink, KernelCalls& kernel, const SettingsLocation& settings)
      : sink_(sink), kernel_(kernel), settings_(settings) {}

  std::optional<uint32_t> PlatformId() override { return kPlatformNt; }

  // Each drive is its own descriptor (and sg node descriptor, opened by its handle); the kernel
  // calls share no state of their own, and errno is each thread's.
  void RunConcurrently(size_t count, const std::function<void(size_t)>& job) override {
    RunOnThreads(count, job);
  }

  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    return SrDeviceNames(kernel_);
  }

  DriveType GetDriveType(const std::string& root) override { return SrDriveType(kernel_, root); }

  std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) override {
    if (root.empty() || root.find('/') != std::string::npos) return nullptr;
    return OpenDeviceAt("/dev/" + root);
  }

  std::unique_ptr<DeviceHandle> OpenDeviceAt(const std::string& path) override {
    // Without O_NONBLOCK a drive without a disc cannot be opened.
    int fd = kernel_.Open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    // Read access alone still answers every read command.
    if (fd == -EACCES || fd == -EROFS) fd = kernel_.Open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // The node's name (sr0) finds its SCSI address and sg node in sysfs.
    return std::make_unique<SgDevice>(kernel_, fd, path.substr(path.rfind('/') + 1));
  }

  std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string&) override { return nullptr; }
  std::unique_ptr<Event> CreateEvent() override { return nullptr; }
  Registry& Settings() override { return settings_; }

  bool QueryPerformanceFrequency(int64_t& frequency) override {
    frequency = 1'000'000'000;
    return true;
  }
  bool QueryPerformanceCounter(int64_t& count) override {
    count = std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::steady_clock::now().time_since_epoch())
                .count();
    return true;
  }
  void Sleep(uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  MessageSink& Messages() override { return sink_; }

  std::vector<DriveProblem> DriveProblems() override { return DiagnoseDrives(kernel_); }
  std::optional<DriveProblem> DeviceProblem(const std::string& path) override {
    return CheckDevicePath(kernel_, path);
  }
  std::unique_ptr<DriveEvents> OpenDriveEvents(const WatchOptions&) override {
    std::string problem;
    auto feed = OpenUdevMonitor(problem);
    return LinuxDriveEvents(kernel_, std::move(feed), problem);
  }

 private:
  MessageSink& sink_;
  KernelCalls& kernel_;
  SettingsFile settings_;
};

}  // namespace

std::unique_ptr<System> CreateLinuxSystem(MessageSink& sink, KernelCalls& kernel,
                                          std::string settingsPath) {
  return std::make_unique<LinuxSystem>(sink, kernel, SettingsLocation{std::move(settingsPath), {}});
}

std::unique_ptr<System> CreateNativeSystem(MessageSink& sink) {
  return std::make_unique<LinuxSystem>(sink, RealKernel(), SettingsFile::DefaultLocation());
}

}  // namespace platform
