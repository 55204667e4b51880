#include "platform/win32/aspi_library.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_event.h"

namespace platform::win32 {
namespace {

constexpr DWORD kLongestPollPauseMs = 100;

BYTE StatusOf(const SrbExecScsiCmd& srb) {
  // The manager writes the status from its own thread.
  return *static_cast<const volatile BYTE*>(&srb.Status);
}

// The manager's results, as the device layer reads them: the sense area, then the status.
void CopyResults(const SrbExecScsiCmd& srb, AspiRequest& request) {
  std::memcpy(request.Sense.data(), srb.SenseArea,
              std::min<size_t>(sizeof srb.SenseArea, request.Sense.size()));
  request.Status = StatusOf(srb);
}

}  // namespace

std::unique_ptr<Win32AspiLibrary> Win32AspiLibrary::Load(const std::string& name) {
  const HMODULE module = LoadLibraryA(name.c_str());
  if (module == nullptr) return nullptr;
  return std::unique_ptr<Win32AspiLibrary>(new Win32AspiLibrary(module));
}

Win32AspiLibrary::Win32AspiLibrary(HMODULE module) : module_(module) {
  supportInfo_ = reinterpret_cast<GetAspi32SupportInfoFunction>(
      reinterpret_cast<void*>(GetProcAddress(module_, "GetASPI32SupportInfo")));
  sendCommand_ = reinterpret_cast<SendAspi32CommandFunction>(
      reinterpret_cast<void*>(GetProcAddress(module_, "SendASPI32Command")));
}

Win32AspiLibrary::~Win32AspiLibrary() {
  // A request the manager never completed stays allocated: freeing it would let the manager
  // write into memory that belongs to something else by then.
  for (auto& srb : outstanding_) {
    if (StatusOf(*srb) == kAspiPending) static_cast<void>(srb.release());
  }
  FreeLibrary(module_);
}

bool Win32AspiLibrary::HasEntryPoint(const std::string& name) const {
  if (name == "GetASPI32SupportInfo") return supportInfo_ != nullptr;
  if (name == "SendASPI32Command") return sendCommand_ != nullptr;
  return GetProcAddress(module_, name.c_str()) != nullptr;
}

uint32_t Win32AspiLibrary::GetASPI32SupportInfo() {
  return supportInfo_ != nullptr ? supportInfo_() : 0;
}

uint32_t Win32AspiLibrary::SendASPI32Command(AspiRequest& request) {
  if (sendCommand_ == nullptr) return 0;
  switch (request.Command) {
    case kAspiHostAdapterInquiry: {
      SrbHaInquiry srb{};
      srb.Cmd = kAspiHostAdapterInquiry;
      srb.HaId = request.HaId;
      const uint32_t result = sendCommand_(&srb);
      request.HaCount = srb.HaCount;
      request.Status = srb.Status;
      return result;
    }
    case kAspiGetDeviceType: {
      SrbGetDeviceType srb{};
      srb.Cmd = kAspiGetDeviceType;
      srb.HaId = request.HaId;
      srb.Target = request.Target;
      srb.Lun = request.Lun;
      const uint32_t result = sendCommand_(&srb);
      request.DeviceType = srb.DeviceType;
      request.Status = srb.Status;
      return result;
    }
    case kAspiExecuteScsiCommand:
      return Execute(request);
    default:
      return 0;
  }
}

uint32_t Win32AspiLibrary::Execute(AspiRequest& request) {
  // Completed requests are done with; the manager no longer touches them.
  std::erase_if(outstanding_, [](const auto& srb) { return StatusOf(*srb) != kAspiPending; });

  auto owned = std::make_unique<SrbExecScsiCmd>();
  SrbExecScsiCmd& srb = *owned;
  std::memset(&srb, 0, sizeof srb);
  srb.Cmd = kAspiExecuteScsiCommand;
  srb.HaId = request.HaId;
  srb.Flags = request.Flags;
  srb.Target = request.Target;
  srb.Lun = request.Lun;
  srb.BufLen = request.BufLen;
  srb.BufPointer = request.BufPointer;
  srb.SenseLen = request.SenseLen;
  srb.CdbLen = request.CdbLen;
  std::memcpy(srb.CdbByte, request.Cdb.data(),
              std::min<size_t>(sizeof srb.CdbByte, request.Cdb.size()));
  auto* event = dynamic_cast<Win32Event*>(request.PostProc);
  if (event == nullptr) srb.Flags &= static_cast<BYTE>(~kAspiFlagEventNotify);
  if ((srb.Flags & kAspiFlagEventNotify) != 0) srb.PostProc = event->Handle();

  const uint32_t result = sendCommand_(&srb);
  if (StatusOf(srb) != kAspiPending) {
    CopyResults(srb, request);
    return result;
  }
  if (event != nullptr) {
    // The manager signals the event once it has written the request's status.
    event->OnSignalled([&srb, &request] { CopyResults(srb, request); });
    request.Status = kAspiPending;
    outstanding_.push_back(std::move(owned));
    return result;
  }
  // Without an event the manager's completion is seen only in the request block itself.
  DWORD pause = 1;
  while (StatusOf(srb) == kAspiPending) {
    ::Sleep(pause);
    pause = std::min(pause * 2, kLongestPollPauseMs);
  }
  CopyResults(srb, request);
  return result;
}

}  // namespace platform::win32
