// Records what the real drives answer, as a fixture that the simulator replays: a user's
// drive becomes a test case and a bug report.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/machine_model.h"
#include "platform/system.h"

namespace platform {

class CapturingSystem : public System {
 public:
  explicit CapturingSystem(std::unique_ptr<System> inner);

  std::optional<uint32_t> PlatformId() override { return inner_->PlatformId(); }
  std::optional<std::vector<std::string>> LogicalDriveRoots() override;
  DriveType GetDriveType(const std::string& root) override;
  std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) override;
  std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string&) override { return nullptr; }
  std::unique_ptr<Event> CreateEvent() override { return inner_->CreateEvent(); }
  Registry& Settings() override { return inner_->Settings(); }
  bool QueryPerformanceFrequency(int64_t& f) override {
    return inner_->QueryPerformanceFrequency(f);
  }
  bool QueryPerformanceCounter(int64_t& c) override { return inner_->QueryPerformanceCounter(c); }
  void Sleep(uint32_t milliseconds) override { inner_->Sleep(milliseconds); }
  MessageSink& Messages() override { return inner_->Messages(); }
  std::vector<DriveProblem> DriveProblems() override { return inner_->DriveProblems(); }
  std::unique_ptr<DriveEvents> OpenDriveEvents(const WatchOptions& options) override {
    return inner_->OpenDriveEvents(options);
  }
  std::optional<DriveProblem> DeviceProblem(const std::string& path) override {
    return inner_->DeviceProblem(path);
  }

  // The recording as fixture JSON.
  std::string FixtureText() const;
  // Writes the fixture to `path` atomically; false with a reason when it cannot.
  bool WriteFixture(const std::string& path, std::string& error) const;

  // What was seen of one root.
  struct RootRecord {
    DriveType type = DriveType::Unknown;
    bool opened = false;
    bool addressQueried = false;
    bool addressOk = false;
    ScsiAddress address;
    std::vector<sim::RecordedCommand> commands;
  };
  const std::map<std::string, RootRecord>& Roots() const { return roots_; }

 private:
  friend class CapturingDevice;
  std::unique_ptr<System> inner_;
  std::vector<std::string> rootOrder_;
  std::map<std::string, RootRecord> roots_;
};

}  // namespace platform
