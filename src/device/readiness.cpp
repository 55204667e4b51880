// Drive identity and waiting for a drive to become ready.
#include "device/atapi_device.h"

namespace device {
namespace {

constexpr uint32_t kPollIntervalMs = 300;
// A drive that never stops reporting unit attention must not hang start-up.
constexpr int kMaxUnitAttentionClears = 64;
constexpr uint16_t kIdentityLength = 96;
constexpr size_t kInquiryVendorAt = 8;
constexpr size_t kInquiryProductAt = 16;
constexpr size_t kInquiryRevisionAt = 32;
constexpr size_t kInquiryVendorSpecificAt = 36;

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
  // The standard INQUIRY data: vendor, product, revision, then the vendor's own bytes.
  const ResponseView answer = Answer();
  auto text = [&answer](size_t at, size_t count, char* to) {
    for (size_t i = 0; i < count; ++i) to[i] = static_cast<char>(answer.At(at + i));
  };
  text(kInquiryVendorAt, 8, currentVendor_.data());
  text(kInquiryProductAt, 16, currentProduct_.data());
  text(kInquiryRevisionAt, 4, currentRevision_.data());
  text(kInquiryVendorSpecificAt, 16, currentVendorSpecific_.data());
  // A drive that names itself neither by vendor nor by product has no identity.
  for (size_t i = kInquiryVendorAt; i < kInquiryRevisionAt; ++i) {
    if (answer.At(i) != 0) return true;
  }
  return false;
}

}  // namespace device
