#include "platform/win32/win32_system.h"

#include "platform/windows_api.h"

#include <new>

#include "platform/run_on_threads.h"
#include "platform/win32/aspi_library.h"
#include "platform/win32/device_check.h"
#include "platform/win32/pass_through_device.h"
#include "platform/win32/registry.h"
#include "platform/win32/win32_drive_events.h"
#include "platform/win32/win32_event.h"

namespace platform {
namespace win32 {
namespace {

class Win32System : public System {
 public:
  explicit Win32System(MessageSink& sink) : sink_(sink) {}

  // Each drive is its own handle, and a pass-through device keeps its own last error, read
  // right after its call (GetLastError is each thread's).
  void RunConcurrently(size_t count, const std::function<void(size_t)>& job) override {
    RunOnThreads(count, job);
  }

  std::optional<uint32_t> PlatformId() override {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (GetVersionExA(&info) == 0) return std::nullopt;
    return info.dwPlatformId;
  }

  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    const DWORD size = GetLogicalDriveStringsA(0, nullptr);
    if (size == 0) return std::vector<std::string>{};
    std::vector<char> list;
    try {
      list.assign(size + 1, '\0');
    } catch (const std::bad_alloc&) {
      return std::nullopt;
    }
    const DWORD written = GetLogicalDriveStringsA(size, list.data());
    std::vector<std::string> roots;
    for (size_t at = 0; at < written && at < list.size() && list[at] != '\0';) {
      roots.emplace_back(&list[at]);
      at += roots.back().size() + 1;
    }
    return roots;
  }

  DriveType GetDriveType(const std::string& root) override {
    return static_cast<DriveType>(GetDriveTypeA(root.c_str()));
  }

  std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) override {
    return OpenDeviceAt("\\\\.\\" + root.substr(0, 2));
  }

  std::unique_ptr<DeviceHandle> OpenDeviceAt(const std::string& path) override {
    return PassThroughDevice::Open(path);
  }

  std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string& name) override {
    return Win32AspiLibrary::Load(name);
  }

  std::unique_ptr<DriveEvents> OpenDriveEvents(const WatchOptions& options) override {
    return std::make_unique<Win32DriveEvents>(options.deviceMessages);
  }

  std::unique_ptr<Event> CreateEvent() override {
    auto event = std::make_unique<Win32Event>();
    if (!event->Valid()) return nullptr;
    return event;
  }

  Registry& Settings() override { return registry_; }

  bool QueryPerformanceFrequency(int64_t& frequency) override {
    LARGE_INTEGER value{};
    if (::QueryPerformanceFrequency(&value) == 0 || value.QuadPart == 0) return false;
    frequency = value.QuadPart;
    return true;
  }

  bool QueryPerformanceCounter(int64_t& count) override {
    LARGE_INTEGER value{};
    if (::QueryPerformanceCounter(&value) == 0) return false;
    count = value.QuadPart;
    return true;
  }

  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  MessageSink& Messages() override { return sink_; }
  std::vector<DriveProblem> DriveProblems() override { return DiagnoseDrives(); }
  std::optional<DriveProblem> DeviceProblem(const std::string& path) override {
    return CheckDevice(path);
  }

 private:
  MessageSink& sink_;
  Win32Registry registry_;
};

}  // namespace

void MessageBoxSink::ShowMessage(const std::string& text, const std::string& caption,
                                 uint32_t flags) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace win32

std::unique_ptr<System> CreateNativeSystem(MessageSink& sink) {
  return std::make_unique<win32::Win32System>(sink);
}

}  // namespace platform
