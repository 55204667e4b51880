// A system that refuses to pass any command to the drives at some roots, as Windows refuses the
// pass-through to a user without the right to it; the other drives answer as simulated. Jobs
// run concurrently as the simulator runs them.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "platform/sim/sim_system.h"
#include "platform/system.h"

namespace testing_machines {

class RefusingSystem : public platform::System {
 public:
  RefusingSystem(std::unique_ptr<sim::SimSystem> inner, std::set<std::string> refusing)
      : inner_(std::move(inner)), refusing_(std::move(refusing)) {}
  void RunConcurrently(size_t count, const std::function<void(size_t)>& job) override {
    inner_->RunConcurrently(count, job);
  }
  std::optional<uint32_t> PlatformId() override { return inner_->PlatformId(); }
  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    return inner_->LogicalDriveRoots();
  }
  platform::DriveType GetDriveType(const std::string& root) override {
    return inner_->GetDriveType(root);
  }
  std::unique_ptr<platform::DeviceHandle> OpenDevice(const std::string& root) override {
    auto handle = inner_->OpenDevice(root);
    if (!handle || refusing_.count(root) == 0) return handle;
    return std::make_unique<Refusing>(std::move(handle));
  }
  std::unique_ptr<platform::AspiLibrary> LoadAspiLibrary(const std::string& name) override {
    return inner_->LoadAspiLibrary(name);
  }
  std::unique_ptr<platform::Event> CreateEvent() override { return inner_->CreateEvent(); }
  platform::Registry& Settings() override { return inner_->Settings(); }
  bool QueryPerformanceFrequency(int64_t& f) override {
    return inner_->QueryPerformanceFrequency(f);
  }
  bool QueryPerformanceCounter(int64_t& c) override { return inner_->QueryPerformanceCounter(c); }
  void Sleep(uint32_t milliseconds) override { inner_->Sleep(milliseconds); }
  platform::MessageSink& Messages() override { return inner_->Messages(); }
  sim::SimSystem& Inner() { return *inner_; }

 private:
  class Refusing : public platform::DeviceHandle {
   public:
    explicit Refusing(std::unique_ptr<platform::DeviceHandle> inner) : inner_(std::move(inner)) {}
    bool PassThrough(platform::PassThroughRequest& request) override {
      request.Refused = true;
      request.DataTransferLength = 0;
      return false;
    }
    bool GetScsiAddress(platform::ScsiAddress& address) override {
      return inner_->GetScsiAddress(address);
    }

   private:
    std::unique_ptr<platform::DeviceHandle> inner_;
  };
  std::unique_ptr<sim::SimSystem> inner_;
  std::set<std::string> refusing_;
};

}  // namespace testing_machines
