// The system's notices of drives and discs on Windows. The window program hands its
// WM_DEVICECHANGE messages over (Wake); every source also reads each drive's media change
// count now and then, which costs the drive no command a disc would spin up for and which also
// works where no device message comes (remote desktop sessions, systems that do not broadcast
// disc changes).
#pragma once

#include "platform/windows_api.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_events.h"

namespace platform::win32 {

// How often the media change counts are read.
inline constexpr uint64_t kCountPollMs = 2000;

// One reading of a drive's media change count: none when the drive cannot tell it.
struct MediaCount {
  bool present = false;  // a disc is in the drive
  unsigned long count = 0;
  bool operator==(const MediaCount&) const = default;
};
using CountReader = std::function<std::optional<MediaCount>(const std::string& root)>;

// The count as the system keeps it (IOCTL_STORAGE_CHECK_VERIFY2 on a handle opened for its
// attributes only, so no file system is mounted for it).
std::optional<MediaCount> ReadMediaCount(const std::string& root);

// The roots whose count changed since `last`, which takes the new readings; a drive that cannot
// tell its count now keeps its last reading and is told nothing.
std::vector<DriveNotice> CountChanges(std::map<std::string, std::optional<MediaCount>>& last,
                                      const CountReader& readCount);

class Win32DriveEvents : public DriveEvents {
 public:
  Win32DriveEvents(bool deviceMessages, CountReader readCount = ReadMediaCount);
  ~Win32DriveEvents() override;
  Win32DriveEvents(const Win32DriveEvents&) = delete;
  Win32DriveEvents& operator=(const Win32DriveEvents&) = delete;

  std::vector<DriveNotice> Wait(uint32_t milliseconds) override;
  uint64_t NowMs() override;
  // The drives whose count can be read are watched by reading it.
  bool SystemWatches(const std::string& root) override;
  bool TellsHotPlug() const override { return deviceMessages_; }
  void Wake(std::vector<DriveNotice> notices) override;

 private:
  std::vector<DriveNotice> TakeWoken();

  const bool deviceMessages_;
  CountReader readCount_;
  HANDLE wake_;
  uint64_t start_;
  std::mutex mutex_;
  std::vector<DriveNotice> woken_;  // guarded by mutex_
  std::map<std::string, std::optional<MediaCount>> counts_;
  uint64_t countsDue_ = 0;
};

}  // namespace platform::win32
