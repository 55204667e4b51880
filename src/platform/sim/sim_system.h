// The simulated platform: drive roots, pass-through, an ASPI manager, registry, clock and
// message sink, all over a machine model. It logs every command a drive receives.
#pragma once

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/machine_model.h"
#include "platform/sim/sim_drive.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/virtual_clock.h"
#include "platform/system.h"

namespace sim {

struct LoggedCommand {
  int drive = -1;  // index into the machine's drives
  std::array<uint8_t, 12> cdb{};
  platform::Direction direction = platform::Direction::None;
  uint32_t length = 0;
  bool viaAspi = false;
  bool ok = false;  // answered with GOOD status
  uint8_t senseKey = 0;
  uint8_t asc = 0;
  uint32_t transferred = 0;
};

// What the transport handed to the ASPI manager for the last execute request.
struct AspiExecuteSnapshot {
  uint8_t haId = 0, flags = 0, target = 0, lun = 0, senseLen = 0, cdbLen = 0;
  uint32_t bufLen = 0;
  const uint8_t* bufPointer = nullptr;
  bool hasEvent = false;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  uint32_t flags = 0;
};

class RecordingMessageSink : public platform::MessageSink {
 public:
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) override;
  std::vector<ShownMessage> shown;
  platform::MessageSink* forward = nullptr;  // also show them here, when set
};

class SimSystem : public platform::System {
 public:
  explicit SimSystem(Machine machine);
  ~SimSystem() override;

  // Runs each job on a thread of its own, on a lane of the virtual clock that starts now (what
  // is due now happens first): the jobs take as long as the longest of them, and the clock is
  // then moved past that, running what fell due meanwhile. What the jobs send is logged, and
  // what they show is shown, in job order once all have ended, so a run is the same every time.
  void RunConcurrently(size_t count, const std::function<void(size_t)>& job) override;
  std::optional<uint32_t> PlatformId() override;
  std::optional<std::vector<std::string>> LogicalDriveRoots() override;
  platform::DriveType GetDriveType(const std::string& root) override;
  std::unique_ptr<platform::DeviceHandle> OpenDevice(const std::string& root) override;
  // A simulated drive's path is that of its root: \\.\E: for E:\, /dev/sr0 for sr0.
  std::unique_ptr<platform::DeviceHandle> OpenDeviceAt(const std::string& path) override;
  std::unique_ptr<platform::AspiLibrary> LoadAspiLibrary(const std::string& name) override;
  std::unique_ptr<platform::Event> CreateEvent() override;
  platform::Registry& Settings() override { return registry_; }
  bool QueryPerformanceFrequency(int64_t& frequency) override;
  bool QueryPerformanceCounter(int64_t& count) override;
  void Sleep(uint32_t milliseconds) override;
  platform::MessageSink& Messages() override { return messages_; }
  std::vector<platform::DriveProblem> DriveProblems() override { return problems; }
  // The notices of the machine's timeline, on its virtual clock.
  std::unique_ptr<platform::DriveEvents> OpenDriveEvents(
      const platform::WatchOptions& options) override;

  // What DriveProblems reports: a simulated machine has no device nodes of its own, so a
  // test says which devices could not be used.
  std::vector<platform::DriveProblem> problems;

  VirtualClock& Clock() { return clock_; }
  SimDrive& DriveAt(size_t index) { return *drives_[index]; }
  size_t DriveCount() const { return drives_.size(); }
  const Machine& MachineModel() const { return machine_; }
  const std::vector<LoggedCommand>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  RecordingMessageSink& RecordedMessages() { return messages_; }
  SimRegistry& Registry() { return registry_; }

  // The last requests as the transports filled them, for tests of their contents.
  std::optional<platform::PassThroughRequest> lastPassThrough;
  void NotePassThrough(const platform::PassThroughRequest& request);
  std::optional<AspiExecuteSnapshot> lastAspiExecute;

  // Runs one command on a drive and logs it; used by both transports.
  CommandOutcome Execute(size_t drive, const std::array<uint8_t, 16>& cdb,
                         platform::Direction direction, uint8_t* buffer, uint32_t length,
                         bool viaAspi);
  // The drive an ASPI manager sees at this address, or -1.
  int AspiDriveAt(uint8_t adapter, uint8_t target, uint8_t lun) const;
  int AspiAdapterCount() const;

  // Notices the timeline has given that no event source has taken yet.
  std::vector<platform::DriveNotice>& PendingNotices() { return notices_; }
  // Index of the drive listed under `root`, or -1.
  int DriveIndexOf(const std::string& root) const;

 private:
  Machine machine_;
  VirtualClock clock_;
  std::vector<std::unique_ptr<SimDrive>> drives_;
  std::vector<LoggedCommand> log_;
  void TellUnrecorded(size_t drive, const std::array<uint8_t, 16>& cdb);
  void Show(const std::string& text, const std::string& caption, uint32_t flags);

  // What one job of RunConcurrently sent and showed, kept apart until all have ended.
  struct Lane {
    std::vector<LoggedCommand> log;
    std::vector<ShownMessage> shown;
    std::optional<platform::PassThroughRequest> lastPassThrough;
    uint64_t endNs = 0;
  };
  Lane* LaneOfThisThread() const;
  std::mutex sharedMutex_;  // what lanes share: the drives told to lack answers

  RecordingMessageSink messages_;
  SimRegistry registry_;
  std::set<size_t> unrecordedTold_;  // replayed drives already said to lack answers

  void ScheduleTimeline();
  void Happen(const TimelineEntry& entry);
  std::vector<platform::DriveNotice> notices_;
};

}  // namespace sim
