// The one door between the device layer and the operating system. Everything the device
// layer needs from the system comes through these narrow interfaces; the real backends
// (linux, win32) and the simulator implement them.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_diagnostics.h"
#include "platform/drive_events.h"

namespace platform {

// Drive types as the system reports them for a drive root.
enum class DriveType : uint32_t {
  Unknown = 0,
  NoRootDir = 1,
  Removable = 2,
  Fixed = 3,
  Remote = 4,
  Cdrom = 5,
  RamDisk = 6,
};

// Data direction of one command; the values are those of the pass-through request's
// DataIn field.
enum class Direction : uint8_t { Out = 0, In = 1, None = 2 };

// The logical pass-through request. Only a backend maps it onto the operating system's
// own structure; the core never builds raw images of OS structures.
struct PassThroughRequest {
  uint8_t PathId = 0;
  uint8_t TargetId = 0;
  uint8_t Lun = 0;
  uint8_t CdbLength = 0;
  uint8_t SenseInfoLength = 0;
  uint8_t DataIn = 0;
  uint32_t DataTransferLength = 0;  // in: requested; out: what the driver moved
  uint32_t TimeOutValue = 0;        // seconds
  uint8_t* DataBuffer = nullptr;
  uint8_t ScsiStatus = 0;
  // Set by a call that failed because the system refused to send the command (the user has
  // no right to it): the drive was never asked, so its silence means nothing.
  bool Refused = false;
  std::array<uint8_t, 16> Cdb{};
  std::array<uint8_t, 32> Sense{};  // fixed-format sense data as the drive returned it
};

// SCSI address of a device, as the address query returns it.
struct ScsiAddress {
  uint8_t Length = 0;  // set by a query that found the device; 0 means no device
  uint8_t PortNumber = 0;
  uint8_t PathId = 0;
  uint8_t TargetId = 0;
  uint8_t Lun = 0;
};

// An opened drive root. Closing happens on destruction.
class DeviceHandle {
 public:
  virtual ~DeviceHandle() = default;
  // One synchronous pass-through call; false when the call itself failed.
  virtual bool PassThrough(PassThroughRequest& request) = 0;
  // The address query; false when the call failed.
  virtual bool GetScsiAddress(ScsiAddress& address) = 0;
};

// A completion event of the ASPI manager.
class Event {
 public:
  virtual ~Event() = default;
  // Waits until the event is signalled or the time is up; true when signalled.
  virtual bool Wait(uint32_t milliseconds) = 0;
};

// ASPI status values.
inline constexpr uint8_t kAspiPending = 0x00;
inline constexpr uint8_t kAspiCompleted = 0x01;

// ASPI request commands.
inline constexpr uint8_t kAspiHostAdapterInquiry = 0x00;
inline constexpr uint8_t kAspiGetDeviceType = 0x01;
inline constexpr uint8_t kAspiExecuteScsiCommand = 0x02;

// ASPI request flags.
inline constexpr uint8_t kAspiFlagDataIn = 0x08;
inline constexpr uint8_t kAspiFlagDataOut = 0x10;
inline constexpr uint8_t kAspiFlagEventNotify = 0x40;

// The logical ASPI request block: host adapter inquiry, get device type and execute
// SCSI command share it. The manager may complete an execute request after the call has
// returned, so its status is written concurrently.
struct AspiRequest {
  uint8_t Command = 0;
  std::atomic<uint8_t> Status{0};
  uint8_t HaId = 0;
  uint8_t Flags = 0;
  uint8_t Target = 0;
  uint8_t Lun = 0;
  uint8_t HaCount = 0;     // host adapter inquiry: number of host adapters
  uint8_t DeviceType = 0;  // get device type: the peripheral device type
  uint32_t BufLen = 0;
  uint8_t* BufPointer = nullptr;
  uint8_t SenseLen = 0;
  uint8_t CdbLen = 0;
  Event* PostProc = nullptr;
  std::array<uint8_t, 16> Cdb{};
  std::array<uint8_t, 32> Sense{};
};

// A loaded ASPI manager library. Unloading happens on destruction.
class AspiLibrary {
 public:
  virtual ~AspiLibrary() = default;
  // Whether the library exports the named entry point.
  virtual bool HasEntryPoint(const std::string& name) const = 0;
  virtual uint32_t GetASPI32SupportInfo() = 0;
  virtual uint32_t SendASPI32Command(AspiRequest& request) = 0;
};

// Registry value types.
enum class RegType : uint32_t { String = 1, Dword = 4 };

// An open registry key; closed on destruction.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Reads a value's data. `size` holds the buffer size on entry and the value's size on
  // return; false when the value is missing or does not fit.
  virtual bool QueryValue(const std::string& name, uint8_t* data, uint32_t& size) = 0;
  virtual bool SetValue(const std::string& name, RegType type,
                        const std::vector<uint8_t>& data) = 0;
};

// The program's settings store, organised as registry keys under the local machine root.
class Registry {
 public:
  enum class Access { Query, All };
  virtual ~Registry() = default;
  virtual std::unique_ptr<RegistryKey> OpenKey(const std::string& path, Access access) = 0;
  virtual std::unique_ptr<RegistryKey> CreateKey(const std::string& path) = 0;
  // Why the last write that failed did, in plain words and naming the store's file; empty
  // when the store cannot tell.
  virtual std::string WriteFailure() const { return {}; }
};

// Message box flags used by the device layer.
inline constexpr uint32_t kIconError = 0x10;

// Start-up messages shown by the device layer itself.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption, uint32_t flags) = 0;
};

// Threads: a System is made and used by one thread at a time, with one exception. While
// RunConcurrently runs, each of its jobs works on a drive of its own, from its own thread, with
// its own handle (OpenDevice, then PassThrough and GetScsiAddress on that handle), the counter
// and Sleep; nothing else is called until it returns. A system whose drives allow that runs the
// jobs in parallel; the others keep the default, which runs them one after another.
class System {
 public:
  virtual ~System() = default;

  // Runs job(0) ... job(count - 1) and returns once every one has ended. The default runs them
  // in order on the calling thread and stops at a job that throws; a parallel system throws a
  // job's exception on once every job has ended (the first, in job order).
  virtual void RunConcurrently(size_t count, const std::function<void(size_t)>& job) {
    for (size_t i = 0; i < count; ++i) job(i);
  }

  // The system's platform id (2 = NT family), or none when the version query fails.
  virtual std::optional<uint32_t> PlatformId() = 0;

  // The drive roots in the system's list order; none when no memory can be had for the
  // list. An empty list stands for a size query that returned 0.
  virtual std::optional<std::vector<std::string>> LogicalDriveRoots() = 0;
  virtual DriveType GetDriveType(const std::string& root) = 0;
  // Opens a drive root as a device for pass-through; null when it cannot be opened.
  virtual std::unique_ptr<DeviceHandle> OpenDevice(const std::string& root) = 0;
  // Opens exactly the device at `path` (/dev/sg1, \\.\CdRom0) for pass-through; null when
  // it cannot be opened or the system has no such paths.
  virtual std::unique_ptr<DeviceHandle> OpenDeviceAt(const std::string& path) {
    (void)path;
    return nullptr;
  }

  // Loads the ASPI manager library; null when it cannot be loaded.
  virtual std::unique_ptr<AspiLibrary> LoadAspiLibrary(const std::string& name) = 0;
  // Creates a manual-reset, initially unsignalled event; null on failure.
  virtual std::unique_ptr<Event> CreateEvent() = 0;

  virtual Registry& Settings() = 0;

  virtual bool QueryPerformanceFrequency(int64_t& frequency) = 0;
  virtual bool QueryPerformanceCounter(int64_t& count) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;

  virtual MessageSink& Messages() = 0;

  // The optical devices of this system that cannot be used, each with the reason and what
  // to do; none on a system that cannot tell.
  virtual std::vector<DriveProblem> DriveProblems() { return {}; }
  // Why the device at `path` cannot be used as a drive (missing, not an optical drive, cannot
  // be opened); none when it can, or when the system cannot tell before asking it.
  virtual std::optional<DriveProblem> DeviceProblem(const std::string& path) {
    (void)path;
    return std::nullopt;
  }

  // The system's notices of drives and discs; none where the system gives none, so that the
  // drives must be asked now and then instead.
  virtual std::unique_ptr<DriveEvents> OpenDriveEvents(const WatchOptions& options) {
    (void)options;
    return nullptr;
  }
};

}  // namespace platform
