// The VM test's checker: what the emulated drives answer through the Linux backend on a
// real kernel, beyond what quillrate-cli shows. Each check prints "ok - ..." or
// "not ok - ...".
#pragma once

#include <memory>
#include <string>

#include "device/atapi_device.h"
#include "vm/recording_kernel.h"

namespace vm {

// The guest's drives: sr0 holds a CD-sized image, sr1 is empty, sr2 holds a DVD-sized one.
inline constexpr const char* kCdDrive = "sr0";
inline constexpr const char* kEmptyDrive = "sr1";
inline constexpr const char* kDvdDrive = "sr2";

// The device layer's start-up messages, on stderr.
class StderrMessages : public platform::MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) override;
};

class Checker {
 public:
  Checker();

  void Check(bool ok, const std::string& what, const std::string& detail = "");
  int Failures() const { return failures_; }
  int Count() const { return count_; }

  // Selects the drive with this root; false (and a failed check) when it is not listed.
  bool Select(const std::string& root);
  // The log entries made from here on.
  size_t Mark() const { return kernel.sgIos.size(); }

  RecordingKernel kernel;
  StderrMessages messages;
  std::unique_ptr<platform::System> system;
  std::unique_ptr<device::AtapiDevice> device;

 private:
  int failures_ = 0;
  int count_ = 0;
};

// As root: readiness, profiles, the answers the emulated drive rejects or gets wrong.
void CheckDriveAnswers(Checker& checker);
// As a user outside the cdrom group (read-only open, no sg node) and as a member of it
// (read-write open, the sg node for what the block layer still refuses).
void CheckCommandFilter(Checker& checker, bool cdromGroup);

}  // namespace vm
