// Why a CD-ROM drive letter is missing from the drive list: its device cannot be opened.
#include "platform/win32/windows_api.h"

#include "platform/drive_diagnostics.h"
#include "platform/files/win32/wide_text.h"
#include "platform/win32/pass_through_device.h"

namespace platform {

std::vector<DriveProblem> DiagnoseDrives() {
  std::vector<DriveProblem> problems;
  const DWORD letters = GetLogicalDrives();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if ((letters & (1u << (letter - 'A'))) == 0) continue;
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) != DRIVE_CDROM) continue;
    const std::string device = "\\\\.\\" + root.substr(0, 2);
    if (win32::PassThroughDevice::Open(device)) continue;
    const DWORD error = GetLastError();
    std::string reason = "cannot be opened for commands: " + Win32ErrorText(error);
    if (error == ERROR_ACCESS_DENIED) reason += " (run the program as an administrator)";
    problems.push_back({device, reason, true});
  }
  return problems;
}

}  // namespace platform
