// The running program's file on Windows: the module file name of the process.
#include "platform/windows_api.h"

#include "platform/files/program_file.h"
#include "platform/files/win32/wide_text.h"

namespace platform {
namespace {

bool FileId(const std::string& path, bool followLink, BY_HANDLE_FILE_INFORMATION& info) {
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  const HANDLE handle =
      CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool ok = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  return ok;
}

}  // namespace

std::string RunningProgramPath() {
  return RunningProgramFile();
}

std::string RunningProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) return {};
    if (n < name.size()) return Narrow(name.substr(0, n));
    name.resize(name.size() * 2);
  }
}

std::string ExecutableName(const std::string& name) {
  return name + ".exe";
}

bool SameFile(const std::string& name, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return FileId(name, false, first) && FileId(path, true, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace platform
