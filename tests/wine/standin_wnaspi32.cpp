// A stand-in ASPI manager (WNASPI32.DLL) over the simulated drives, for running the program's
// ASPI client under Wine, whose own manager answers every request as invalid. It reads and
// writes the request blocks at the offsets the ASPI for Win32 interface documents, not
// through the program's own declarations, so a client that lays them out wrongly fails here.
// It answers execute requests asynchronously: "pending" at once, the result later from a
// worker thread, which then signals the request's event.
//
//   QUILLRATE_ASPI_FIXTURE  the simulated machine (default: the demonstration machine);
//                           its drives answer at their "aspi" addresses
//   QUILLRATE_ASPI_SLOW     "OPCODE:MS" (hexadecimal opcode): commands with that opcode
//                           complete that many milliseconds late, in real time, so that a
//                           test can act while the drive works
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

// Request codes, status values and flags of the interface.
constexpr BYTE kHostAdapterInquiry = 0x00;
constexpr BYTE kGetDeviceType = 0x01;
constexpr BYTE kExecuteScsiCommand = 0x02;
constexpr BYTE kPending = 0x00;
constexpr BYTE kCompleted = 0x01;
constexpr BYTE kError = 0x04;
constexpr BYTE kInvalidCommand = 0x80;
constexpr BYTE kInvalidAdapter = 0x81;
constexpr BYTE kNoDevice = 0x82;
constexpr BYTE kInvalidRequest = 0xE0;
constexpr BYTE kFlagDataIn = 0x08;
constexpr BYTE kFlagDataOut = 0x10;
constexpr BYTE kFlagEventNotify = 0x40;
constexpr BYTE kKnownFlags = 0x01 | 0x04 | kFlagDataIn | kFlagDataOut | kFlagEventNotify;
constexpr BYTE kSenseLength = 14;    // SENSE_LEN
constexpr BYTE kHostTimeout = 0x09;  // HASTAT_TIMEOUT
constexpr BYTE kCheckCondition = 0x02;
constexpr BYTE kCdromDevice = 0x05;
constexpr uint32_t kLongestTransfer = 65536;

// Offsets of the documented blocks: every request starts with command, status, adapter and
// flags; the execute request holds two pointers, whose size shifts what follows them.
constexpr size_t kPointer = sizeof(void*);
constexpr size_t kCommand = 0x00, kStatus = 0x01, kHaId = 0x02, kFlags = 0x03;
constexpr size_t kHaCount = 0x08, kHaScsiId = 0x09, kHaManagerId = 0x0A;
constexpr size_t kTarget = 0x08, kLun = 0x09, kDeviceType = 0x0A;
constexpr size_t kBufLen = 0x0C, kBufPointer = 0x10;
constexpr size_t kSenseLen = kBufPointer + kPointer;
constexpr size_t kCdbLen = kSenseLen + 1, kHaStat = kSenseLen + 2, kTargStat = kSenseLen + 3;
constexpr size_t kPostProc = kSenseLen + 4;
constexpr size_t kCdbByte = kPostProc + 2 * kPointer + 16;
constexpr size_t kSenseArea = kCdbByte + 16;

template <typename T>
T Field(const BYTE* srb, size_t offset) {
  T value;
  std::memcpy(&value, srb + offset, sizeof value);
  return value;
}

void SetStatus(BYTE* srb, BYTE status) {
  // The client reads the status while the worker writes it.
  reinterpret_cast<std::atomic<BYTE>*>(srb + kStatus)->store(status);
}

struct Manager {
  std::unique_ptr<sim::SimSystem> system;
  std::mutex lock;
};

Manager& TheManager() {
  static Manager manager;
  static std::once_flag loaded;
  std::call_once(loaded, [] {
    const char* fixture = std::getenv("QUILLRATE_ASPI_FIXTURE");
    manager.system = std::make_unique<sim::SimSystem>(
        fixture != nullptr ? sim::LoadMachineFromFile(fixture) : sim::DemoMachine());
  });
  return manager;
}

void Execute(BYTE* srb, int drive) {
  Manager& manager = TheManager();
  const BYTE flags = srb[kFlags];
  const BYTE senseLen = srb[kSenseLen];
  std::array<uint8_t, 16> cdb{};
  std::memcpy(cdb.data(), srb + kCdbByte, srb[kCdbLen]);
  const auto direction = (flags & kFlagDataIn) != 0    ? platform::Direction::In
                         : (flags & kFlagDataOut) != 0 ? platform::Direction::Out
                                                       : platform::Direction::None;
  sim::CommandOutcome outcome;
  {
    std::lock_guard<std::mutex> hold(manager.lock);
    outcome =
        manager.system->Execute(static_cast<size_t>(drive), cdb, direction,
                                Field<BYTE*>(srb, kBufPointer), Field<DWORD>(srb, kBufLen), true);
  }
  BYTE status = kCompleted;
  if (!outcome.answered || !outcome.transportOk) {
    srb[kHaStat] = kHostTimeout;
    status = kError;
  } else if (outcome.checkCondition) {
    srb[kTargStat] = kCheckCondition;
    std::memcpy(srb + kSenseArea, outcome.sense.data(), std::min<size_t>(senseLen, 16));
    status = kError;
  }
  SetStatus(srb, status);
  if ((flags & kFlagEventNotify) != 0) SetEvent(Field<HANDLE>(srb, kPostProc));
}

// What a careful manager refuses before it starts a request.
bool WellFormed(const BYTE* srb) {
  const BYTE flags = srb[kFlags];
  const DWORD length = Field<DWORD>(srb, kBufLen);
  const BYTE cdbLen = srb[kCdbLen];
  if ((flags & ~kKnownFlags) != 0 || ((flags & kFlagDataIn) && (flags & kFlagDataOut)))
    return false;
  if (cdbLen == 0 || cdbLen > 16 || srb[kSenseLen] != kSenseLength) return false;
  if (length > kLongestTransfer || (length > 0) != (Field<BYTE*>(srb, kBufPointer) != nullptr)) {
    return false;
  }
  if ((flags & kFlagEventNotify) != 0 && Field<HANDLE>(srb, kPostProc) == nullptr) return false;
  // Reserved bytes between the post routine and the command block stay zero.
  for (size_t at = kPostProc + kPointer; at < kCdbByte; ++at) {
    if (srb[at] != 0) return false;
  }
  return true;
}

struct Job {
  BYTE* srb;
  int drive;
  HMODULE module;
};

// The worker holds a reference to this library until its last instruction: the client may
// unload the manager as soon as it sees the request completed.
DWORD SlowDelay(BYTE opcode) {
  const char* slow = std::getenv("QUILLRATE_ASPI_SLOW");
  if (slow == nullptr) return 0;
  char* end = nullptr;
  const unsigned long slowOpcode = std::strtoul(slow, &end, 16);
  if (end == nullptr || *end != ':' || slowOpcode != opcode) return 0;
  return static_cast<DWORD>(std::strtoul(end + 1, nullptr, 10));
}

DWORD WINAPI Worker(void* argument) {
  const Job job = *static_cast<Job*>(argument);
  delete static_cast<Job*>(argument);
  ::Sleep(1 + SlowDelay(job.srb[kCdbByte]));
  Execute(job.srb, job.drive);
  FreeLibraryAndExitThread(job.module, 0);
}

void StartWorker(BYTE* srb, int drive) {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&Worker)), &module);
  auto* job = new Job{srb, drive, module};
  const HANDLE thread = CreateThread(nullptr, 0, Worker, job, 0, nullptr);
  if (thread != nullptr) {
    CloseHandle(thread);
    return;
  }
  delete job;
  Execute(srb, drive);
  FreeLibrary(module);
}

}  // namespace

extern "C" __declspec(dllexport) DWORD __cdecl GetASPI32SupportInfo() {
  sim::SimSystem& system = *TheManager().system;
  return DWORD{system.MachineModel().aspiStatus} << 8 |
         static_cast<BYTE>(system.AspiAdapterCount());
}

extern "C" __declspec(dllexport) DWORD __cdecl SendASPI32Command(void* request) {
  auto* srb = static_cast<BYTE*>(request);
  Manager& manager = TheManager();
  const int adapters = manager.system->AspiAdapterCount();
  switch (srb[kCommand]) {
    case kHostAdapterInquiry:
      if (srb[kHaId] >= std::max(1, adapters)) {
        SetStatus(srb, kInvalidAdapter);
        break;
      }
      srb[kHaCount] = static_cast<BYTE>(adapters);
      srb[kHaScsiId] = 7;
      std::memcpy(srb + kHaManagerId, "QUILLRATE TEST  ", 16);
      SetStatus(srb, kCompleted);
      break;
    case kGetDeviceType: {
      std::lock_guard<std::mutex> hold(manager.lock);
      if (manager.system->AspiDriveAt(srb[kHaId], srb[kTarget], srb[kLun]) < 0) {
        SetStatus(srb, kNoDevice);
      } else {
        srb[kDeviceType] = kCdromDevice;
        SetStatus(srb, kCompleted);
      }
      break;
    }
    case kExecuteScsiCommand: {
      if (!WellFormed(srb)) {
        SetStatus(srb, kInvalidRequest);
        break;
      }
      int drive = -1;
      {
        std::lock_guard<std::mutex> hold(manager.lock);
        drive = manager.system->AspiDriveAt(srb[kHaId], srb[kTarget], srb[kLun]);
      }
      if (drive < 0) {
        SetStatus(srb, kNoDevice);
        break;
      }
      SetStatus(srb, kPending);
      StartWorker(srb, drive);
      return kPending;
    }
    default:
      SetStatus(srb, kInvalidCommand);
  }
  return srb[kStatus];
}
