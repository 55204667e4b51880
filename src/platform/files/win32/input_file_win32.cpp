// The one reader on Windows: the file is opened once, by its UTF-16 name, with sharing that
// lets others write or rename it meanwhile (as on Linux), and read through that one handle.
#include <fcntl.h>
#include <io.h>
#include "platform/windows_api.h"

#include <algorithm>
#include <cstring>

#include "platform/files/file_test_hooks.h"
#include "platform/files/input_file.h"
#include "platform/files/win32/path_kind.h"
#include "platform/files/win32/wide_text.h"

namespace platform {
namespace {

bool VersionOf(HANDLE handle, uint64_t& size, int64_t& writeTime) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(handle, &info) == 0) return false;
  size = uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
  writeTime = static_cast<int64_t>(uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32 |
                                   info.ftLastWriteTime.dwLowDateTime);
  return true;
}

}  // namespace

void InputFile::Open() {
  const std::wstring wide = Widen(path_);
  // Decided before the open: a folder, a pipe or a device is never read as a file.
  const PathKind kind = InspectPath(wide);
  switch (kind.kind) {
    case PathKind::Missing:
      return Fail(ReadFault::Missing, "no such file");
    case PathKind::BrokenLink:
      return Fail(ReadFault::Missing, kind.text);
    case PathKind::Folder:
    case PathKind::NotAFile:
      return Fail(ReadFault::NotAFile, kind.text);
    case PathKind::Unknown:
      return Fail(ReadFault::CannotOpen, "cannot be opened: " + kind.text);
    case PathKind::File:
      break;
  }
  const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return Fail(ReadFault::CannotOpen, "cannot be opened: " + Win32ErrorText(GetLastError()));
  }
  // Something else may have taken the name between the look and the open.
  if (GetFileType(handle) != FILE_TYPE_DISK ||
      !VersionOf(handle, opened_.size, opened_.writeTime)) {
    CloseHandle(handle);
    return Fail(ReadFault::NotAFile, "not a regular file");
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return Fail(ReadFault::CannotOpen, "cannot be opened: no descriptor left");
  }
  fd_ = fd;
}

InputFile::~InputFile() {
  if (fd_ >= 0) _close(fd_);
}

ssize_t InputFile::Read(void* buffer, size_t size) {
  if (fd_ < 0 || problem_.fault != ReadFault::None) return -1;
  if (const int error = HookedReadError(path_, done_, size); error != 0) {
    Fail(ReadFault::ReadFailed, std::string("read error: ") + std::strerror(error));
    return -1;
  }
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
  const DWORD ask = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
  DWORD got = 0;
  if (ReadFile(handle, buffer, ask, &got, nullptr) == 0) {
    Fail(ReadFault::ReadFailed, "read error: " + Win32ErrorText(GetLastError()));
    return -1;
  }
  done_ += got;
  return static_cast<ssize_t>(got);
}

bool InputFile::CheckUnchanged() {
  if (fd_ < 0 || problem_.fault != ReadFault::None) return false;
  Version now;
  if (!VersionOf(reinterpret_cast<HANDLE>(_get_osfhandle(fd_)), now.size, now.writeTime)) {
    Fail(ReadFault::ReadFailed, "read error: " + Win32ErrorText(GetLastError()));
    return false;
  }
  if (now == opened_) return true;
  Fail(ReadFault::Changed, kFileChangedText);
  return false;
}

}  // namespace platform
