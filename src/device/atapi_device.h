// The single object through which the program reaches optical drives: transports, drive
// list, selected drive, response and data-out buffers, and the command builders.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "device/answer_snapshot.h"
#include "device/drive_entry.h"
#include "device/hi_timer.h"
#include "device/response_view.h"
#include "device/sense.h"
#include "platform/system.h"
#include "settings/os_info.h"

namespace device {

inline constexpr int kMaxDrives = 16;
inline constexpr uint32_t kBufferSize = 65536;
// Long enough for a drive that spins a disc up before it answers, short enough that a drive
// that has stopped answering does not hold the program (and the system's error handling) for
// hours.
inline constexpr uint32_t kCommandTimeoutSeconds = 120;
inline constexpr const char* kAspiLibraryName = "WNASPI32";

using Cdb = std::array<uint8_t, 12>;
using platform::Direction;

class AtapiDevice;

// The describe step of enumeration: classifies the drive at the given list index while it
// is selected. Supplied by the layer that knows the classification rules.
using DescribeStep = std::function<void(AtapiDevice&, int index)>;

// How a wait for the drive to become ready goes: told after every poll that found the drive
// still becoming ready, and once more when the wait ends.
struct WaitProgress {
  double waitedSeconds = 0;
  int limitSeconds = 0;
  bool finished = false;
};
using WaitObserver = std::function<void(const WaitProgress&)>;
// Asked between the polls of a wait and before every command: true when whoever runs the
// device has given up on the work in progress (the window was closed or the query cancelled).
using StopRequest = std::function<bool()>;

struct DeviceOptions {
  // The application asks to prefer an ASPI manager where one works.
  bool preferAspi = true;
  DescribeStep describe;
  // A read command asked again within one query gets the answer already given (see
  // AnswerSnapshot); off, every command is sent as asked.
  bool keepAnswers = false;
  // The drives are found at construction, but each is identified (and described) only when
  // its entry is first asked for or it is selected: a program that asks one drive of many
  // sends no command to the others. Off, every drive is identified at construction.
  bool identifyOnDemand = false;
  // The drives identified at once (not on demand) are asked at the same time, each from a
  // thread of its own, where the transport and the system allow it (see IdentifyAllDrives);
  // the list is the one asking them in turn gives. The describe step is then run on those
  // threads at once, each time for a device of its own.
  bool identifyInParallel = false;
};

class AtapiDevice {
 public:
  AtapiDevice(platform::System& system, DeviceOptions options);
  ~AtapiDevice();
  // A second device over the same drive list, with handles, buffers and kept answers of its
  // own, made without asking any drive; null for a list found through an ASPI manager (the
  // manager is the list's own).
  static std::unique_ptr<AtapiDevice> CopyOfList(const AtapiDevice& list);
  AtapiDevice(const AtapiDevice&) = delete;
  AtapiDevice& operator=(const AtapiDevice&) = delete;

  // Drive list. The non-const GetDriveEntry identifies the drive first when identification
  // is on demand; the const one gives the entry as it stands.
  int16_t GetDriveCount() const { return driveCount_; }
  const DriveEntry* GetDriveEntry(unsigned index);
  const DriveEntry* GetDriveEntry(unsigned index) const;
  // Identifies a listed drive not yet identified (INQUIRY and the describe step), leaving the
  // selected drive selected; nothing for a drive already identified.
  void IdentifyDrive(int index);
  // Identifies every listed drive not yet identified, in list order or, with
  // identifyInParallel, at the same time.
  void IdentifyAllDrives();
  // Records the describe step's results for a listed drive.
  void SetDriveKind(unsigned index, uint8_t kindCode, const char* kindName);
  void SetWritesCdR(unsigned index, bool writes);
  bool SelectDrive(int index);
  void CloseDrive();
  int16_t CurrentIndex() const { return currentIndex_; }

  // The bytes a data-out command sends.
  std::span<uint8_t> DataOutBuffer() { return {dataOutBuffer_.get(), kBufferSize}; }
  // The answer to the last command, bounded by the bytes it asked for: a byte the drive did
  // not send reads 0 (the transport clears the bytes asked for before every data-in
  // command), and so does every byte past them. Valid until the next command. This is the
  // only way to read an answer.
  ResponseView Answer() const { return ResponseView({responseBuffer_.get(), answerLength_}); }

  // Results of the last command.
  uint8_t SenseKey() const { return sense_.key; }
  uint8_t Asc() const { return sense_.asc; }
  const Sense& LastSense() const { return sense_; }
  bool TimedOut() const { return timedOut_; }
  uint32_t BytesTransferred() const { return bytesTransferred_; }
  // Commands since construction that the drive never answered: the call itself failed below
  // the drive, or it ran past the time-out. A command the drive refused with sense data, or
  // that the system refused to send, is answered. A caller compares two readings.
  uint32_t UnansweredCommands() const { return unansweredCommands_; }
  // Commands since construction that the system refused to send (the user has no right to
  // them). A caller compares two readings.
  uint32_t RefusedCommands() const { return refusedCommands_; }
  bool SenseIs(uint8_t key, uint8_t asc) const { return sense_.key == key && sense_.asc == asc; }
  bool SenseKeyIs(uint8_t key) const { return sense_.key == key; }

  // Readiness and identity.
  bool WaitUntilReady(int seconds);
  void SetWaitObserver(WaitObserver observer) { waitObserver_ = std::move(observer); }
  // Once `stop` says true, a wait ends at its next poll (within one poll interval) and no
  // further command reaches the drive: each fails at once, leaving the drive as it is, until
  // `stop` says false again.
  void SetStopRequest(StopRequest stop) { stopRequest_ = std::move(stop); }
  bool StopRequested() const { return stopRequest_ && stopRequest_(); }
  void ClearUnitAttention();
  bool ReadIdentity();

  // Transport. A read command asked again gives the answer of the current snapshot, without
  // being sent (see AnswerSnapshot); ForgetAnswers starts a new snapshot.
  bool ExecuteCdb(const Cdb& cdb, Direction direction, uint32_t length);
  void ForgetAnswers() { snapshot_.Forget(-1); }
  // Runs `read` with every command served from the current snapshot only: a command whose
  // answer is not kept fails at once (no sense, no bytes) without reaching the drive.
  template <typename Read>
  auto FromSnapshotOnly(Read read) {
    snapshotOnly_ = true;
    struct Restore {
      bool& flag;
      ~Restore() { flag = false; }
    } restore{snapshotOnly_};
    return read();
  }
  bool ProbeAspi();
  bool LoadAspi();
  void UnloadAspi();
  bool UseAspi() const { return useAspi_; }
  bool AspiAvailable() const { return aspiAvailable_; }
  bool AspiLoaded() const { return aspiLibrary_ != nullptr; }

  // Command builders: each fills a 12-byte CDB and executes it.
  bool Inquiry(uint8_t cmdDt, uint8_t evpd, uint8_t pageCode, uint32_t allocationLength,
               uint8_t control);
  bool TestUnitReady();
  bool GetConfiguration(uint8_t rt, uint16_t startingFeature, uint16_t allocationLength,
                        uint8_t control);
  bool ModeSelect10(uint8_t sp, uint16_t parameterListLength, uint8_t control);
  bool ModeSense10(uint8_t dbd, uint8_t pageControl, uint8_t pageCode, uint16_t allocationLength,
                   uint8_t control);
  bool ReadDiscStructure(uint32_t address, uint8_t layer, uint8_t format, uint16_t allocationLength,
                         uint8_t agid, uint8_t control);
  bool ReadDiscStructureMedia(uint32_t address, uint8_t mediaType, uint8_t layer, uint8_t format,
                              uint16_t allocationLength, uint8_t agid, uint8_t control);
  bool ReadTocPmaAtip(uint8_t msf, uint8_t format, uint8_t trackNumber, uint16_t allocationLength,
                      uint8_t control);
  bool ReadVendorMediaId();
  bool ReadDiscInformation(uint16_t allocationLength, uint8_t control);
  bool ReadFormatCapacities(uint16_t allocationLength, uint8_t control);
  // `addressType` 1: `address` is a track number.
  bool ReadTrackInformation(uint8_t addressType, uint32_t address, uint16_t allocationLength,
                            uint8_t control);
  bool ReadCapacity();
  bool GetPerformance(uint8_t dataType, uint32_t startingLba, uint16_t maxDescriptors, uint8_t type,
                      uint8_t control, uint32_t transferLength);
  bool SetStreaming(uint16_t parameterListLength, uint8_t control);
  bool SetCdSpeed(uint8_t rotationControl, uint16_t readSpeed, uint16_t writeSpeed,
                  uint8_t control);

  const settings::OSInfo& Os() const { return osInfo_; }
  platform::System& System() { return system_; }

 private:
  void ChooseTransport();
  void EnumerateDrives();
  void ScanSpti();
  void ScanAspi();
  int CountCdromLetters();
  enum class AddressQuery { NotFound, FoundWithoutAddress, Found };
  AddressQuery GetScsiAddress(const std::string& root, platform::ScsiAddress& address);
  void SortDrives();
  bool IsDriveIndexValid(int index) const;
  bool OpenDrive(int index);
  // Identifies drive `index`; false when the system refuses it every command and it left the
  // list.
  bool IdentifyOrRemove(int index);
  // A device over `entries` of `list` as its whole list, with its own handle, buffers, sense
  // and snapshot, that asks no drive; pass-through only.
  AtapiDevice(const AtapiDevice& list, std::span<const DriveEntry> entries);
  bool CanIdentifyInParallel() const;
  void IdentifyInParallel();
  // Takes what a worker learnt about its drive, which has index `index` in this list (or left
  // the list when it is -1).
  void TakeWorker(AtapiDevice& worker, int index);
  bool LoadAspiLibrary(bool showMessages);
  bool Send(const Cdb& cdb, Direction direction, uint32_t length);
  bool ExecutePassThrough(const Cdb& cdb, Direction direction, uint32_t length);
  bool ExecuteAspi(const Cdb& cdb, Direction direction, uint32_t length);
  uint8_t* DataBufferFor(Direction direction, uint32_t length);
  void ResetAddress();

  platform::System& system_;
  DeviceOptions options_;
  HiTimer waitTimer_;
  HiTimer commandTimer_;
  settings::OSInfo osInfo_;

  // The ASPI request in use. A request that the manager has not completed when its wait
  // ends is set aside with its event, never reused while the manager may still write it.
  std::unique_ptr<platform::AspiRequest> aspiRequest_;
  struct AbandonedRequest {
    std::unique_ptr<platform::AspiRequest> request;
    std::unique_ptr<platform::Event> event;
  };
  std::vector<AbandonedRequest> abandoned_;

  std::unique_ptr<platform::AspiLibrary> aspiLibrary_;
  bool hasSupportInfo_ = false;
  bool hasSendCommand_ = false;

  int16_t driveCount_ = 0;
  int16_t currentIndex_ = -1;
  std::array<char, 9> currentVendor_{};
  std::array<char, 17> currentProduct_{};
  std::array<char, 5> currentRevision_{};
  std::array<char, 17> currentVendorSpecific_{};
  std::array<DriveEntry, kMaxDrives> drives_{};
  bool snapshotOnly_ = false;

  int16_t currentAdapter_ = -1;
  int16_t currentTarget_ = -1;
  int16_t currentLun_ = -1;
  int16_t currentBus_ = -1;
  std::unique_ptr<platform::DeviceHandle> driveHandle_;

  std::unique_ptr<uint8_t[]> responseBuffer_;
  uint32_t answerLength_ = 0;  // data-in bytes the last command asked for
  std::unique_ptr<uint8_t[]> dataOutBuffer_;

  bool useAspi_ = false;
  bool aspiAvailable_ = false;
  Sense sense_;
  bool timedOut_ = false;
  uint32_t bytesTransferred_ = 0;
  uint32_t unansweredCommands_ = 0;
  uint32_t refusedCommands_ = 0;
  WaitObserver waitObserver_;
  StopRequest stopRequest_;
  AnswerSnapshot snapshot_;
};

}  // namespace device
