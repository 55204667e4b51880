#include "app/model/live_follow.h"

#include "device/atapi_device.h"
#include "live/drive_watcher.h"
#include "platform/quiet_drive_events.h"

namespace app::model {

LiveFollow::LiveFollow(platform::System& system, std::unique_ptr<platform::DriveEvents> events,
                       std::function<std::unique_ptr<device::AtapiDevice>()> openDevice)
    : events_(std::move(events)) {
  live::WatcherOptions options;
  options.openDevice = std::move(openDevice);
  // The window queries a ready disc itself, on its own device, when it is told; the watcher
  // only has to know that the disc has been seen.
  options.query = [](device::AtapiDevice&, int) { return true; };
  options.output = [this](const live::WatchEvent& event) {
    news_.push_back({event.kind, event.root, event.state, event.withReport});
    return true;
  };
  options.longestWaitMs = kFollowSliceMs;
  watcher_ = std::make_unique<live::DriveWatcher>(system, *events_, std::move(options));
}

LiveFollow::~LiveFollow() = default;

std::vector<LiveNews> LiveFollow::Start() {
  news_.clear();
  watcher_->Start();
  // The drives and discs there at the start are what the window already shows.
  news_.clear();
  return {};
}

std::vector<LiveNews> LiveFollow::Step() {
  news_.clear();
  watcher_->Step();
  std::vector<LiveNews> news;
  news.swap(news_);
  return news;
}

std::unique_ptr<platform::DriveEvents> OpenWindowDriveEvents(platform::System& system) {
  platform::WatchOptions options;
  options.deviceMessages = true;
  auto events = system.OpenDriveEvents(options);
  if (!events) events = platform::QuietDriveEvents();
  return events;
}

}  // namespace app::model
