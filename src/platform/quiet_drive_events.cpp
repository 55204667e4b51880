#include "platform/quiet_drive_events.h"

#include <chrono>

#include "platform/stop_signal.h"

namespace platform {
namespace {

class Quiet : public DriveEvents {
 public:
  explicit Quiet(std::string problem)
      : problem_(std::move(problem)), start_(std::chrono::steady_clock::now()) {}

  std::vector<DriveNotice> Wait(uint32_t milliseconds) override {
    SleepUnlessStopped(milliseconds);
    return {};
  }
  uint64_t NowMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start_)
                                     .count());
  }
  bool SystemWatches(const std::string&) override { return false; }
  bool TellsHotPlug() const override { return false; }
  std::string Problem() const override { return problem_; }

 private:
  std::string problem_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

std::unique_ptr<DriveEvents> QuietDriveEvents(std::string problem) {
  return std::make_unique<Quiet>(std::move(problem));
}

}  // namespace platform
