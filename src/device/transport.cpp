// Delivery of one command block through the pass-through driver or the ASPI manager.
#include <algorithm>
#include <cstring>

#include "device/atapi_device.h"

namespace device {
namespace {

constexpr uint8_t kPassThroughSenseLength = 24;
constexpr uint8_t kAspiSenseLength = 14;
// Polling a request without completion event: the pause between reads of its status
// grows to this bound, so a request that never completes costs few polls.
constexpr uint32_t kLongestPollPauseMs = 1000;

}  // namespace

uint8_t* AtapiDevice::DataBufferFor(Direction direction, uint32_t length) {
  if (length == 0 || direction == Direction::None) return nullptr;
  return direction == Direction::Out ? dataOutBuffer_.get() : responseBuffer_.get();
}

bool AtapiDevice::ExecuteCdb(const Cdb& cdb, Direction direction, uint32_t length) {
  // A transfer longer than the buffers is never handed to a transport; nothing is once the
  // work has been given up.
  if (length > kBufferSize || StopRequested()) {
    sense_ = {};
    answerLength_ = 0;
    return false;
  }
  answerLength_ = direction == Direction::In ? length : 0;
  const AnswerSnapshot::Effect effect = options_.keepAnswers
                                            ? AnswerSnapshot::EffectOf(cdb, direction)
                                            : AnswerSnapshot::Effect::Sent;
  if (effect == AnswerSnapshot::Effect::Changes) {
    // Whatever the drive said before may no longer hold once this command has run.
    snapshot_.Forget(currentIndex_);
  } else if (effect == AnswerSnapshot::Effect::Kept) {
    if (const AnswerSnapshot::Answer* answer = snapshot_.Find(currentIndex_, cdb, length)) {
      // A longer answer of the same command gives its first bytes.
      const size_t kept = std::min<size_t>(answer->data.size(), length);
      if (direction == Direction::In) {
        std::memset(responseBuffer_.get(), 0, length);
        std::copy_n(answer->data.begin(), kept, responseBuffer_.get());
      }
      sense_ = answer->sense;
      timedOut_ = false;
      bytesTransferred_ = std::min(answer->transferred, length);
      return answer->ok;
    }
  }
  if (snapshotOnly_) {
    sense_ = {};
    answerLength_ = 0;
    bytesTransferred_ = 0;
    timedOut_ = false;
    return false;
  }
  const uint32_t unanswered = unansweredCommands_;
  const bool ok = Send(cdb, direction, length);
  const SenseClass said = Classify(sense_);
  if (!ok && (said == SenseClass::BecomingReady || said == SenseClass::UnitAttention ||
              unansweredCommands_ != unanswered)) {
    // A drive that is becoming ready, had its disc changed or stopped answering may answer
    // anything differently now.
    snapshot_.Forget(currentIndex_);
  } else if (effect == AnswerSnapshot::Effect::Kept) {
    const uint32_t kept = direction == Direction::In ? length : 0;
    snapshot_.Learn(
        currentIndex_, cdb, length,
        {ok, sense_, {responseBuffer_.get(), responseBuffer_.get() + kept}, bytesTransferred_});
  }
  return ok;
}

bool AtapiDevice::Send(const Cdb& cdb, Direction direction, uint32_t length) {
  if (osInfo_.IsNT() && !useAspi_) return ExecutePassThrough(cdb, direction, length);
  return ExecuteAspi(cdb, direction, length);
}

bool AtapiDevice::ExecutePassThrough(const Cdb& cdb, Direction direction, uint32_t length) {
  if (!driveHandle_) {
    sense_ = {};
    return false;
  }
  // Bytes a drive does not send must read as zeros, never as an earlier command's answer.
  if (direction == Direction::In) std::memset(responseBuffer_.get(), 0, length);

  platform::PassThroughRequest request;
  request.PathId = static_cast<uint8_t>(currentAdapter_);
  request.TargetId = static_cast<uint8_t>(currentTarget_);
  request.Lun = 0;
  request.CdbLength = static_cast<uint8_t>(cdb.size());
  request.SenseInfoLength = kPassThroughSenseLength;
  request.DataIn = static_cast<uint8_t>(direction);
  request.DataTransferLength = length;
  request.TimeOutValue = kCommandTimeoutSeconds;
  request.DataBuffer = DataBufferFor(direction, length);
  std::copy(cdb.begin(), cdb.end(), request.Cdb.begin());

  commandTimer_.Start(true);
  const bool called = driveHandle_->PassThrough(request);
  commandTimer_.Stop();
  timedOut_ = kCommandTimeoutSeconds < commandTimer_.ElapsedSeconds();
  bytesTransferred_ = std::min(request.DataTransferLength, length);
  sense_ = SenseFromData(request.Sense);
  if ((!called && !request.Refused) || timedOut_) ++unansweredCommands_;
  if (!called && request.Refused) ++refusedCommands_;
  if (called && sense_.key == 0 && !timedOut_) return true;
  bytesTransferred_ = 0;
  return false;
}

bool AtapiDevice::ExecuteAspi(const Cdb& cdb, Direction direction, uint32_t length) {
  if (currentAdapter_ == -1 || currentTarget_ == -1 || !aspiLibrary_ || !hasSendCommand_) {
    sense_ = {};
    return false;
  }
  if (direction == Direction::In) std::memset(responseBuffer_.get(), 0, length);

  if (!aspiRequest_) aspiRequest_ = std::make_unique<platform::AspiRequest>();
  platform::AspiRequest& request = *aspiRequest_;
  request.Command = platform::kAspiExecuteScsiCommand;
  request.Status = platform::kAspiPending;
  request.HaId = static_cast<uint8_t>(currentAdapter_);
  request.Flags = direction == Direction::In    ? platform::kAspiFlagDataIn
                  : direction == Direction::Out ? platform::kAspiFlagDataOut
                                                : 0;
  request.Target = static_cast<uint8_t>(currentTarget_);
  request.Lun = static_cast<uint8_t>(currentLun_);
  request.HaCount = 0;
  request.DeviceType = 0;
  request.BufLen = length;
  request.BufPointer = DataBufferFor(direction, length);
  request.SenseLen = kAspiSenseLength;
  request.CdbLen = static_cast<uint8_t>(cdb.size());
  request.PostProc = nullptr;
  request.Cdb.fill(0);
  std::copy(cdb.begin(), cdb.end(), request.Cdb.begin());
  request.Sense.fill(0);

  commandTimer_.Start(true);
  std::unique_ptr<platform::Event> event = system_.CreateEvent();
  if (event) {
    request.Flags |= platform::kAspiFlagEventNotify;
    request.PostProc = event.get();
    aspiLibrary_->SendASPI32Command(request);
    if (request.Status == platform::kAspiPending) event->Wait(kCommandTimeoutSeconds * 1000);
  } else {
    aspiLibrary_->SendASPI32Command(request);
    // Bounded by the command time-out, also where no high-resolution counter exists.
    uint64_t waitedMs = 0;
    uint32_t pause = 1;
    while (request.Status == platform::kAspiPending &&
           waitedMs <= uint64_t{kCommandTimeoutSeconds} * 1000) {
      system_.Sleep(pause);
      waitedMs += pause;
      pause = std::min(pause * 2, kLongestPollPauseMs);
    }
  }
  commandTimer_.Stop();
  const uint8_t status = request.Status;
  // A request still pending after the full wait has outlasted the time-out, however the
  // counter measured it.
  timedOut_ =
      kCommandTimeoutSeconds < commandTimer_.ElapsedSeconds() || status == platform::kAspiPending;

  sense_ = SenseFromData(request.Sense);
  // A request that ended in error without sense data never reached the drive.
  if (timedOut_ || (status != platform::kAspiCompleted && sense_.key == 0)) ++unansweredCommands_;
  if (status == platform::kAspiPending) {
    // The manager still owns this request and may complete it later.
    abandoned_.push_back({std::move(aspiRequest_), std::move(event)});
  }
  if (status == platform::kAspiCompleted && sense_.key == 0 && !timedOut_) {
    bytesTransferred_ = length;
    return true;
  }
  bytesTransferred_ = 0;
  return false;
}

bool AtapiDevice::ProbeAspi() {
  auto library = system_.LoadAspiLibrary(kAspiLibraryName);
  if (!library) return false;
  if (!library->HasEntryPoint("GetASPI32SupportInfo") ||
      !library->HasEntryPoint("SendASPI32Command")) {
    return false;
  }
  const uint8_t status = static_cast<uint8_t>(library->GetASPI32SupportInfo() >> 8);
  return status == platform::kAspiCompleted;
}

bool AtapiDevice::LoadAspi() {
  UnloadAspi();
  auto& messages = system_.Messages();
  auto fail = [&](const char* text, const char* caption) {
    messages.ShowMessage(text, caption, platform::kIconError);
    UnloadAspi();
    return false;
  };
  aspiLibrary_ = system_.LoadAspiLibrary(kAspiLibraryName);
  if (!aspiLibrary_) return fail("LoadLibrary:\nWNASPI32.DLL not found.", "Error FS 002");
  hasSupportInfo_ = aspiLibrary_->HasEntryPoint("GetASPI32SupportInfo");
  if (!hasSupportInfo_) {
    return fail("GetProcAddress:\nGetASPI32SupportInfo not fount.", "Error FS 003");
  }
  hasSendCommand_ = aspiLibrary_->HasEntryPoint("SendASPI32Command");
  if (!hasSendCommand_) {
    return fail("GetProcAddress:\npfnSendASPI32Command not found.", "Error FS 004");
  }
  switch (static_cast<uint8_t>(aspiLibrary_->GetASPI32SupportInfo() >> 8)) {
    case platform::kAspiCompleted:
      return true;
    case 0xE3:
      return fail("Could not find the ASPI manager.", "GetASPISupportInfo:");
    case 0xE2:
      return fail("ASPI for Windows does not support real mode.", "GetASPISupportInfo:");
    case 0xE1:
      return fail("Old ASPI manager.", "GetASPISupportInfo:");
    default:
      return fail("Error initializing ASPI.", "GetASPISupportInfo:");
  }
}

void AtapiDevice::UnloadAspi() {
  aspiLibrary_.reset();
  hasSupportInfo_ = false;
  hasSendCommand_ = false;
}

void AtapiDevice::ChooseTransport() {
  useAspi_ = options_.preferAspi;
  if (!osInfo_.IsNT()) {
    aspiAvailable_ = true;
  } else {
    try {
      aspiAvailable_ = ProbeAspi();
      UnloadAspi();
    } catch (...) {
      aspiAvailable_ = false;
    }
  }
  useAspi_ = useAspi_ && aspiAvailable_;
  if (!osInfo_.IsNT()) useAspi_ = true;
  if (useAspi_) LoadAspi();
}

}  // namespace device
