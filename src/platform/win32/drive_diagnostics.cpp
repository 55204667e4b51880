// Why a CD-ROM drive letter is missing from the drive list: its device cannot be opened, or
// the system refuses to pass commands to it.
#include "platform/windows_api.h"

#include "platform/drive_diagnostics.h"
#include "platform/files/win32/path_kind.h"
#include "platform/files/win32/wide_text.h"
#include "platform/mmc_opcodes.h"
#include "platform/win32/device_check.h"
#include "platform/win32/pass_through_device.h"

namespace platform {
namespace win32 {
namespace {

constexpr uint8_t kProbeSenseBytes = 18;
constexpr uint32_t kProbeTimeoutSeconds = 10;

// The probe's TEST UNIT READY: the system refuses it as it refuses every command when the
// user lacks the right to the pass-through.
bool RefusesCommands(PassThroughDevice& drive) {
  PassThroughRequest request;
  request.Cdb[0] = mmc::kTestUnitReady;
  request.CdbLength = 6;
  request.SenseInfoLength = kProbeSenseBytes;
  request.DataIn = static_cast<uint8_t>(Direction::None);
  request.TimeOutValue = kProbeTimeoutSeconds;
  drive.PassThrough(request);
  return request.Refused;
}

}  // namespace

std::string ExplainAccessError(unsigned long error) {
  const std::string text = Win32ErrorText(error);
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return text +
             " (the program needs to open the drive for reading and writing and to send it "
             "SCSI commands: run it as an administrator, or as a user the system lets use "
             "the drive)";
    case ERROR_SHARING_VIOLATION:
      return text +
             " (another program holds the drive, a burning program?; close it and try "
             "again)";
    default:
      return text;
  }
}

std::optional<DriveProblem> CheckDevice(const std::string& device) {
  auto drive = PassThroughDevice::Open(device);
  if (!drive) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return DriveProblem{device, "no such device: " + Win32ErrorText(error)};
    }
    // A folder cannot be opened as a file at all, whatever the user's rights.
    if (InspectPath(Widen(device)).kind == PathKind::Folder) {
      return DriveProblem{device, "a folder, not a device"};
    }
    return DriveProblem{device, "cannot be opened for commands: " + ExplainAccessError(error),
                        true};
  }
  if (RefusesCommands(*drive)) {
    return DriveProblem{
        device,
        "the system refuses to pass commands to it: " + ExplainAccessError(drive->LastError()),
        true};
  }
  return std::nullopt;
}

}  // namespace win32

std::vector<DriveProblem> DiagnoseDrives() {
  std::vector<DriveProblem> problems;
  const DWORD letters = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if ((letters & (1u << (letter - 'A'))) == 0) continue;
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_CDROM) continue;
    if (auto problem = win32::CheckDevice("\\\\.\\" + root.substr(0, 2))) {
      problems.push_back(*problem);
    }
  }
  return problems;
}

}  // namespace platform
