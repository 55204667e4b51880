#include "platform/files/pending_temporary_files.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace platform {
namespace {

// A signal handler may only touch memory that is there already: a few fixed slots.
constexpr int kSlots = 8;
struct Slot {
  std::atomic<bool> used{false};
  char path[PATH_MAX] = {};
};
std::array<Slot, kSlots> slots;

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemovePendingFiles(int signal) {
  for (Slot& slot : slots) {
    if (slot.used.load()) ::unlink(slot.path);
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  ::raise(signal);
}

void InstallHandlersOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal : kSignals) {
      struct sigaction current {};
      if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction action {};
      action.sa_handler = RemovePendingFiles;
      sigemptyset(&action.sa_mask);
      ::sigaction(signal, &action, nullptr);
    }
  });
}

}  // namespace

PendingTemporaryFile::PendingTemporaryFile(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  InstallHandlersOnce();
  static std::mutex claiming;
  const std::lock_guard<std::mutex> lock(claiming);
  for (int i = 0; i < kSlots; ++i) {
    Slot& slot = slots[static_cast<size_t>(i)];
    if (slot.used.load()) continue;
    // Filled first, then published: the handler reads only published slots.
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.used.store(true);
    slot_ = i;
    return;
  }
}

PendingTemporaryFile::~PendingTemporaryFile() {
  if (slot_ >= 0) slots[static_cast<size_t>(slot_)].used.store(false);
}

}  // namespace platform
