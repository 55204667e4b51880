#include "platform/sim/sim_system.h"

#include <algorithm>
#include <cstring>

#include "platform/mmc_opcodes.h"
#include "platform/run_on_threads.h"
#include "platform/single_device_system.h"

namespace sim {
namespace {

constexpr int64_t kCounterFrequency = 10'000'000;  // 100 ns ticks
constexpr uint8_t kAspiInvalidAdapter = 0x81;
constexpr uint8_t kAspiNoDevice = 0x82;
constexpr uint8_t kAspiError = 0x04;

// Windows opens a drive root by its letter and colon; other roots by their whole name.
std::string DeviceNameOf(const std::string& root) {
  if (root.size() >= 2 && root[1] == ':') return root.substr(0, 2);
  return root;
}

class SimEvent : public platform::Event {
 public:
  explicit SimEvent(VirtualClock& clock) : clock_(clock) {}
  bool Wait(uint32_t milliseconds) override {
    const uint64_t deadline = clock_.NowNs() + uint64_t{milliseconds} * 1'000'000;
    while (!signalled) {
      uint64_t due = 0;
      if (clock_.NextDue(due) && due <= deadline) {
        clock_.Advance(due > clock_.NowNs() ? due - clock_.NowNs() : 0);
      } else {
        clock_.Advance(deadline - clock_.NowNs());
        break;
      }
    }
    return signalled;
  }
  bool signalled = false;

 private:
  VirtualClock& clock_;
};

class SimDeviceHandle : public platform::DeviceHandle {
 public:
  SimDeviceHandle(SimSystem& system, size_t drive) : system_(system), drive_(drive) {}

  bool PassThrough(platform::PassThroughRequest& request) override {
    system_.NotePassThrough(request);
    const auto direction = static_cast<platform::Direction>(request.DataIn);
    const CommandOutcome outcome = system_.Execute(
        drive_, request.Cdb, direction, request.DataBuffer, request.DataTransferLength, false);
    if (!outcome.answered) {
      // The driver gives up once the request's time-out has passed.
      system_.Clock().Advance((uint64_t{request.TimeOutValue} + 1) * 1'000'000'000);
      request.DataTransferLength = 0;
      return false;
    }
    if (!outcome.transportOk) {
      request.DataTransferLength = 0;
      return false;
    }
    request.ScsiStatus = outcome.checkCondition ? 0x02 : 0x00;
    if (outcome.checkCondition) {
      std::memcpy(request.Sense.data(), outcome.sense.data(),
                  std::min<size_t>(request.SenseInfoLength, request.Sense.size()));
    }
    request.DataTransferLength = outcome.transferred;
    return true;
  }

  bool GetScsiAddress(platform::ScsiAddress& address) override {
    const Drive& model = system_.DriveAt(drive_).Model();
    switch (model.addressMode) {
      case Drive::AddressMode::QueryFails:
        return false;
      case Drive::AddressMode::ZeroLength:
        address = {};
        address.Length = 0;
        return true;
      case Drive::AddressMode::Found:
        address.Length = 8;
        address.PortNumber = model.port;
        address.PathId = model.path;
        address.TargetId = model.target;
        address.Lun = model.lun;
        return true;
    }
    return false;
  }

 private:
  SimSystem& system_;
  size_t drive_;
};

class SimAspiLibrary : public platform::AspiLibrary {
 public:
  explicit SimAspiLibrary(SimSystem& system)
      : system_(system), alive_(std::make_shared<bool>(true)) {}
  ~SimAspiLibrary() override { *alive_ = false; }

  bool HasEntryPoint(const std::string& name) const override {
    const Machine& m = system_.MachineModel();
    if (name == "GetASPI32SupportInfo") return m.aspiHasSupportInfo;
    if (name == "SendASPI32Command") return m.aspiHasSendCommand;
    return false;
  }

  uint32_t GetASPI32SupportInfo() override {
    return uint32_t{system_.MachineModel().aspiStatus} << 8 |
           static_cast<uint8_t>(system_.AspiAdapterCount());
  }

  uint32_t SendASPI32Command(platform::AspiRequest& request) override {
    switch (request.Command) {
      case platform::kAspiHostAdapterInquiry:
        if (request.HaId >= std::max(1, system_.AspiAdapterCount())) {
          request.Status = kAspiInvalidAdapter;
        } else {
          request.HaCount = static_cast<uint8_t>(system_.AspiAdapterCount());
          request.Status = platform::kAspiCompleted;
        }
        break;
      case platform::kAspiGetDeviceType:
        if (system_.AspiDriveAt(request.HaId, request.Target, request.Lun) < 0) {
          request.Status = kAspiNoDevice;
        } else {
          request.DeviceType = 0x05;
          request.Status = platform::kAspiCompleted;
        }
        break;
      case platform::kAspiExecuteScsiCommand:
        Execute(request);
        break;
      default:
        request.Status = kAspiError;
    }
    return request.Status;
  }

 private:
  void Execute(platform::AspiRequest& request) {
    system_.lastAspiExecute =
        AspiExecuteSnapshot{request.HaId,   request.Flags,      request.Target,
                            request.Lun,    request.SenseLen,   request.CdbLen,
                            request.BufLen, request.BufPointer, request.PostProc != nullptr};
    const int drive = system_.AspiDriveAt(request.HaId, request.Target, request.Lun);
    if (drive < 0) {
      request.Status = kAspiNoDevice;
      return;
    }
    const auto direction = (request.Flags & platform::kAspiFlagDataIn) ? platform::Direction::In
                           : (request.Flags & platform::kAspiFlagDataOut)
                               ? platform::Direction::Out
                               : platform::Direction::None;
    const CommandOutcome outcome =
        system_.Execute(static_cast<size_t>(drive), request.Cdb, direction, request.BufPointer,
                        request.BufLen, true);
    if (!outcome.answered) return;  // stays pending for ever
    uint8_t status = platform::kAspiCompleted;
    if (!outcome.transportOk) status = kAspiError;
    if (outcome.checkCondition) {
      status = kAspiError;
      std::memcpy(request.Sense.data(), outcome.sense.data(),
                  std::min<size_t>(request.SenseLen, request.Sense.size()));
    }
    const uint64_t latency = system_.MachineModel().aspiLatencyNs;
    if (latency == 0) {
      request.Status = status;
      Signal(request);
      return;
    }
    std::weak_ptr<bool> alive = alive_;
    system_.Clock().Schedule(system_.Clock().NowNs() + latency, [alive, &request, status] {
      if (auto token = alive.lock(); token && *token) {
        request.Status = status;
        Signal(request);
      }
    });
  }

  static void Signal(platform::AspiRequest& request) {
    if (auto* event = dynamic_cast<SimEvent*>(request.PostProc)) event->signalled = true;
  }

  SimSystem& system_;
  std::shared_ptr<bool> alive_;
};

// The lane of the job this thread runs, with the system it belongs to.
struct ThreadLane {
  const SimSystem* system = nullptr;
  void* lane = nullptr;
};
thread_local ThreadLane tLane;

}  // namespace

void SimSystem::RunConcurrently(size_t count, const std::function<void(size_t)>& job) {
  clock_.Advance(0);
  const uint64_t start = clock_.NowNs();
  std::vector<Lane> lanes(count);
  std::exception_ptr failure;
  try {
    platform::RunOnThreads(count, [&](size_t i) {
      VirtualClock::Lane time(clock_, start);
      struct Enter {
        ThreadLane before;
        Lane& lane;
        VirtualClock::Lane& time;
        Enter(const SimSystem* system, Lane& l, VirtualClock::Lane& t)
            : before(tLane), lane(l), time(t) {
          tLane = {system, &l};
        }
        ~Enter() {
          lane.endNs = time.NowNs();
          tLane = before;
        }
      } enter(this, lanes[i], time);
      job(i);
    });
  } catch (...) {
    failure = std::current_exception();
  }
  uint64_t end = start;
  for (Lane& lane : lanes) {
    log_.insert(log_.end(), lane.log.begin(), lane.log.end());
    for (const ShownMessage& m : lane.shown) messages_.ShowMessage(m.text, m.caption, m.flags);
    if (lane.lastPassThrough) lastPassThrough = lane.lastPassThrough;
    end = std::max(end, lane.endNs);
  }
  clock_.Advance(end - start);
  if (failure) std::rethrow_exception(failure);
}

SimSystem::Lane* SimSystem::LaneOfThisThread() const {
  return tLane.system == this ? static_cast<Lane*>(tLane.lane) : nullptr;
}

void SimSystem::NotePassThrough(const platform::PassThroughRequest& request) {
  if (Lane* lane = LaneOfThisThread()) {
    lane->lastPassThrough = request;
  } else {
    lastPassThrough = request;
  }
}

void SimSystem::Show(const std::string& text, const std::string& caption, uint32_t flags) {
  if (Lane* lane = LaneOfThisThread()) {
    lane->shown.push_back({text, caption, flags});
  } else {
    messages_.ShowMessage(text, caption, flags);
  }
}

void RecordingMessageSink::ShowMessage(const std::string& text, const std::string& caption,
                                       uint32_t flags) {
  shown.push_back({text, caption, flags});
  if (forward != nullptr) forward->ShowMessage(text, caption, flags);
}

SimSystem::SimSystem(Machine machine) : machine_(std::move(machine)) {
  for (const Drive& drive : machine_.drives) {
    drives_.push_back(std::make_unique<SimDrive>(drive, clock_));
  }
  ScheduleTimeline();
}

SimSystem::~SimSystem() = default;

std::optional<uint32_t> SimSystem::PlatformId() {
  if (machine_.versionQueryFails) return std::nullopt;
  return machine_.nt ? 2u : 1u;
}

std::optional<std::vector<std::string>> SimSystem::LogicalDriveRoots() {
  if (machine_.rootListFails) return std::nullopt;
  std::vector<std::string> roots;
  for (const auto& [root, type] : machine_.otherRoots) roots.push_back(root);
  for (const auto& drive : drives_) {
    const Drive& model = drive->Model();
    if (!model.root.empty() && model.plugged) roots.push_back(model.root);
  }
  std::stable_sort(roots.begin(), roots.end());
  return roots;
}

platform::DriveType SimSystem::GetDriveType(const std::string& root) {
  for (const auto& [other, type] : machine_.otherRoots) {
    if (other == root) return static_cast<platform::DriveType>(type);
  }
  for (const auto& drive : drives_) {
    if (drive->Model().root == root && drive->Model().plugged) return platform::DriveType::Cdrom;
  }
  return platform::DriveType::NoRootDir;
}

std::unique_ptr<platform::DeviceHandle> SimSystem::OpenDevice(const std::string& root) {
  const std::string name = DeviceNameOf(root);
  if (name.empty()) return nullptr;
  for (size_t i = 0; i < drives_.size(); ++i) {
    const Drive& model = drives_[i]->Model();
    if (model.root.empty() || DeviceNameOf(model.root) != name) continue;
    if (!model.opens || !model.plugged || drives_[i]->Vanished()) return nullptr;
    return std::make_unique<SimDeviceHandle>(*this, i);
  }
  return nullptr;
}

std::unique_ptr<platform::DeviceHandle> SimSystem::OpenDeviceAt(const std::string& path) {
  return OpenDevice(platform::DeviceRootName(path));
}

std::unique_ptr<platform::AspiLibrary> SimSystem::LoadAspiLibrary(const std::string& name) {
  if (!machine_.aspiPresent || name != "WNASPI32") return nullptr;
  return std::make_unique<SimAspiLibrary>(*this);
}

std::unique_ptr<platform::Event> SimSystem::CreateEvent() {
  if (machine_.eventsFail) return nullptr;
  return std::make_unique<SimEvent>(clock_);
}

bool SimSystem::QueryPerformanceFrequency(int64_t& frequency) {
  if (!machine_.counterAvailable) return false;
  frequency = kCounterFrequency;
  return true;
}

bool SimSystem::QueryPerformanceCounter(int64_t& count) {
  if (!machine_.counterAvailable) return false;
  count = static_cast<int64_t>(clock_.NowNs() / 100);
  return true;
}

void SimSystem::Sleep(uint32_t milliseconds) {
  clock_.Advance(uint64_t{milliseconds} * 1'000'000);
}

CommandOutcome SimSystem::Execute(size_t drive, const std::array<uint8_t, 16>& cdb,
                                  platform::Direction direction, uint8_t* buffer, uint32_t length,
                                  bool viaAspi) {
  const CommandOutcome outcome = drives_[drive]->Execute(cdb, direction, buffer, length);
  LoggedCommand entry;
  entry.drive = static_cast<int>(drive);
  std::copy(cdb.begin(), cdb.begin() + 12, entry.cdb.begin());
  entry.direction = direction;
  entry.length = length;
  entry.viaAspi = viaAspi;
  entry.ok = outcome.answered && outcome.transportOk && !outcome.checkCondition;
  entry.senseKey = outcome.sense[2] & 0x0F;
  entry.asc = outcome.sense[12];
  entry.transferred = outcome.transferred;
  if (Lane* lane = LaneOfThisThread()) {
    lane->log.push_back(entry);
  } else {
    log_.push_back(entry);
  }
  bool tell = false;
  if (outcome.unrecorded) {
    const std::lock_guard<std::mutex> lock(sharedMutex_);
    tell = unrecordedTold_.insert(drive).second;
  }
  if (tell) TellUnrecorded(drive, cdb);
  return outcome;
}

void SimSystem::TellUnrecorded(size_t drive, const std::array<uint8_t, 16>& cdb) {
  static const char* digits = "0123456789ABCDEF";
  std::string command;
  for (size_t i = 0; i < 12; ++i) {
    if (i > 0) command += ' ';
    command += digits[cdb[i] >> 4];
    command += digits[cdb[i] & 15];
  }
  const std::string_view name = platform::mmc::CommandName(cdb[0]);
  const std::string lacks =
      name.empty() ? "" : " (the capture holds no " + std::string(name) + " answer)";
  Show("Drive " + drives_[drive]->Model().root + " has no recorded answer to the command " +
           command + lacks +
           "; every command without a recorded answer fails as if the drive "
           "did not answer.",
       "Replay:", 0);
}

int SimSystem::AspiDriveAt(uint8_t adapter, uint8_t target, uint8_t lun) const {
  for (size_t i = 0; i < drives_.size(); ++i) {
    const auto& address = drives_[i]->Model().aspiAddress;
    if (address && (*address)[0] == adapter && (*address)[1] == target && (*address)[2] == lun) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int SimSystem::AspiAdapterCount() const {
  int count = 0;
  for (const auto& drive : drives_) {
    if (const auto& address = drive->Model().aspiAddress)
      count = std::max(count, (*address)[0] + 1);
  }
  return count;
}

}  // namespace sim
