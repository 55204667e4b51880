#include "platform/win32/win32_drive_events.h"

#include <winioctl.h>

#include <algorithm>

#include "platform/stop_signal.h"

namespace platform::win32 {
namespace {

// A wait is cut into slices this long, so that a stop request ends it soon.
constexpr uint32_t kSliceMs = 200;

}  // namespace

std::optional<MediaCount> ReadMediaCount(const std::string& root) {
  if (root.size() < 2) return std::nullopt;
  const std::string path = "\\\\.\\" + root.substr(0, 2);
  HANDLE handle =
      CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  ULONG count = 0;
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(handle, IOCTL_STORAGE_CHECK_VERIFY2, nullptr, 0, &count,
                                  sizeof count, &returned, nullptr);
  const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
  CloseHandle(handle);
  if (ok && returned >= sizeof count) return MediaCount{true, count};
  // No disc, or the tray open: the drive answers, and tells the change when a disc comes.
  if (!ok && (error == ERROR_NOT_READY || error == ERROR_MEDIA_CHANGED)) {
    return MediaCount{false, 0};
  }
  return std::nullopt;
}

Win32DriveEvents::Win32DriveEvents(bool deviceMessages, CountReader readCount)
    : deviceMessages_(deviceMessages),
      readCount_(std::move(readCount)),
      wake_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      start_(GetTickCount64()) {}

Win32DriveEvents::~Win32DriveEvents() {
  if (wake_ != nullptr) CloseHandle(wake_);
}

uint64_t Win32DriveEvents::NowMs() {
  return GetTickCount64() - start_;
}

bool Win32DriveEvents::SystemWatches(const std::string& root) {
  const std::optional<MediaCount> count = readCount_(root);
  if (!count) return false;
  counts_[root] = count;
  if (countsDue_ == 0) countsDue_ = NowMs() + kCountPollMs;
  return true;
}

void Win32DriveEvents::Wake(std::vector<DriveNotice> notices) {
  if (notices.empty()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    woken_.insert(woken_.end(), notices.begin(), notices.end());
  }
  if (wake_ != nullptr) SetEvent(wake_);
}

std::vector<DriveNotice> Win32DriveEvents::TakeWoken() {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::vector<DriveNotice> notices;
  notices.swap(woken_);
  return notices;
}

std::vector<DriveNotice> CountChanges(std::map<std::string, std::optional<MediaCount>>& last,
                                      const CountReader& readCount) {
  std::vector<DriveNotice> notices;
  for (auto& [root, before] : last) {
    const std::optional<MediaCount> now = readCount(root);
    if (!now) continue;
    if (!before || !(*now == *before)) notices.push_back({DriveNoticeKind::MediaChanged, root});
    before = now;
  }
  return notices;
}

std::vector<DriveNotice> Win32DriveEvents::Wait(uint32_t milliseconds) {
  const uint64_t deadline = NowMs() + milliseconds;
  for (;;) {
    std::vector<DriveNotice> notices = TakeWoken();
    uint64_t now = NowMs();
    if (!counts_.empty() && countsDue_ <= now) {
      countsDue_ = now + kCountPollMs;
      const std::vector<DriveNotice> counted = CountChanges(counts_, readCount_);
      notices.insert(notices.end(), counted.begin(), counted.end());
    }
    if (!notices.empty() || now >= deadline || StopRequested()) return notices;
    uint64_t until = deadline;
    if (!counts_.empty()) until = std::min(until, countsDue_);
    const uint64_t slice = std::min<uint64_t>(until > now ? until - now : 0, kSliceMs);
    if (wake_ != nullptr) {
      WaitForSingleObject(wake_, static_cast<DWORD>(slice));
    } else {
      Sleep(static_cast<DWORD>(slice));
    }
  }
}

}  // namespace platform::win32
