#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

#include "platform/stop_signal.h"

namespace platform {
namespace {

std::atomic<bool> stopRequested{false};
// The self-pipe: the handler writes one byte, waits poll its read end.
int pipeEnds[2] = {-1, -1};

void MakePipe() {
  if (pipeEnds[0] >= 0) return;
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) pipeEnds[0] = pipeEnds[1] = -1;
}

void Signal() {
  stopRequested.store(true);
  const int saved = errno;
  if (pipeEnds[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  }
  errno = saved;
}

void OnSignal(int) {
  Signal();
}

}  // namespace

void InstallStopHandlers() {
  MakePipe();
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGHUP, &action, nullptr);
}

bool StopRequested() {
  return stopRequested.load();
}

void RequestStop() {
  MakePipe();
  Signal();
}

int StopDescriptor() {
  MakePipe();
  return pipeEnds[0];
}

bool SleepUnlessStopped(uint32_t milliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (!StopRequested()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (left <= 0) return false;
    pollfd stop{StopDescriptor(), POLLIN, 0};
    ::poll(&stop, stop.fd >= 0 ? 1 : 0, static_cast<int>(left));
  }
  return true;
}

}  // namespace platform
