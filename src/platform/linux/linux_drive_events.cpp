#include "platform/linux/linux_drive_events.h"

#include <poll.h>

#include <chrono>

#include "platform/linux/udev_notice.h"
#include "platform/quiet_drive_events.h"
#include "platform/stop_signal.h"

namespace platform {
namespace {

class UdevDriveEvents : public DriveEvents {
 public:
  UdevDriveEvents(KernelCalls& kernel, std::unique_ptr<UdevFeed> feed)
      : kernel_(kernel), feed_(std::move(feed)), start_(std::chrono::steady_clock::now()) {}

  std::vector<DriveNotice> Wait(uint32_t milliseconds) override {
    std::vector<DriveNotice> notices = Take();
    if (!notices.empty() || StopRequested()) return notices;
    pollfd waits[2] = {{feed_->Descriptor(), POLLIN, 0}, {StopDescriptor(), POLLIN, 0}};
    const uint64_t end = NowMs() + milliseconds;
    // Events that are not about drives wake the wait too; it goes on until its time is up.
    for (uint64_t now = NowMs(); notices.empty() && now < end && !StopRequested(); now = NowMs()) {
      if (::poll(waits, 2, static_cast<int>(end - now)) <= 0) continue;
      if (waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        // A monitor socket in error would wake every wait at once: wait out the time instead.
        SleepUnlessStopped(static_cast<uint32_t>(end - now));
        break;
      }
      notices = Take();
    }
    return notices;
  }

  uint64_t NowMs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - start_)
                                     .count());
  }

  bool SystemWatches(const std::string& root) override { return KernelPollsDrive(kernel_, root); }
  bool TellsHotPlug() const override { return true; }

 private:
  std::vector<DriveNotice> Take() {
    std::vector<DriveNotice> notices;
    for (const UdevProperties& event : feed_->Receive()) {
      if (auto notice = NoticeFromUdev(event)) notices.push_back(std::move(*notice));
    }
    return notices;
  }

  KernelCalls& kernel_;
  std::unique_ptr<UdevFeed> feed_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

std::unique_ptr<DriveEvents> LinuxDriveEvents(KernelCalls& kernel, std::unique_ptr<UdevFeed> feed,
                                              const std::string& problem) {
  if (!feed) return QuietDriveEvents(problem + "; every drive is asked every 2 seconds instead");
  return std::make_unique<UdevDriveEvents>(kernel, std::move(feed));
}

}  // namespace platform
