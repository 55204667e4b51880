// Drive identity and waiting for a drive to become ready.
#include <cstring>

#include "device/atapi_device.h"

namespace device {
namespace {

constexpr uint32_t kPollIntervalMs = 300;
// A drive that never stops reporting unit attention must not hang start-up.
constexpr int kMaxUnitAttentionClears = 64;
constexpr uint16_t kIdentityLength = 96;

}  // namespace

void AtapiDevice::ClearUnitAttention() {
  for (int i = 0; i < kMaxUnitAttentionClears; ++i) {
    if (TestUnitReady() || Classify(sense_) != SenseClass::UnitAttention) return;
  }
}

bool AtapiDevice::WaitUntilReady(int seconds) {
  // Also bounded by the number of polls, where no high-resolution counter exists.
  const long maxPolls = static_cast<long>(seconds) * 1000 / kPollIntervalMs + 1;
  bool timedOut = false;
  waitTimer_.Start(true);
  bool stopped = false;
  for (long poll = 1;; ++poll) {
    if (StopRequested()) {
      stopped = timedOut = true;
      break;
    }
    TestUnitReady();
    const SenseClass said = Classify(sense_);
    if (said != SenseClass::BecomingReady && said != SenseClass::UnitAttention) break;
    const double waited = waitTimer_.RunningSeconds();
    if (waited >= seconds || poll >= maxPolls) {
      timedOut = true;
      break;
    }
    if (waitObserver_) waitObserver_({waited, seconds, false});
    system_.Sleep(kPollIntervalMs);
  }
  if (!stopped) TestUnitReady();
  waitTimer_.Stop();
  if (waitObserver_) waitObserver_({waitTimer_.ElapsedSeconds(), seconds, true});
  return !timedOut;
}

bool AtapiDevice::ReadIdentity() {
  currentRevision_.fill('\0');
  currentVendor_.fill('\0');
  currentProduct_.fill('\0');
  currentVendorSpecific_.fill('\0');
  if (!Inquiry(0, 0, 0, kIdentityLength, 0)) return false;
  const uint8_t* response = responseBuffer_.get();
  std::memcpy(currentVendor_.data(), response + 8, 8);
  std::memcpy(currentProduct_.data(), response + 16, 16);
  std::memcpy(currentRevision_.data(), response + 32, 4);
  std::memcpy(currentVendorSpecific_.data(), response + 36, 16);
  for (int i = 8; i <= 31; ++i) {
    if (response[i] != 0) return true;
  }
  return false;
}

}  // namespace device
