#include "platform/files/win32/path_kind.h"

#include "platform/windows_api.h"

#include "platform/files/win32/wide_text.h"

namespace platform {
namespace {

bool IsNotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_NETPATH;
}
}  // namespace

PathKind InspectPath(const std::wstring& path) {
  PathKind result;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES && IsNotFound(GetLastError())) return result;
  result.viaLink =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;

  // Opened for no access at all: the kind can be asked without reading, and a folder opens
  // too.
  const HANDLE handle =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (result.viaLink && IsNotFound(error)) {
      result.kind = PathKind::BrokenLink;
      result.text = "a symbolic link that leads nowhere";
    } else if (IsNotFound(error)) {
      result.kind = PathKind::Missing;
    } else {
      result.kind = PathKind::Unknown;
      result.error = error;
      result.text = Win32ErrorText(error);
    }
    return result;
  }
  const DWORD type = GetFileType(handle);
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  if (type == FILE_TYPE_PIPE) {
    result.kind = PathKind::NotAFile;
    result.text = "a named pipe, not a regular file";
  } else if (type != FILE_TYPE_DISK) {
    result.kind = PathKind::NotAFile;
    result.text = "a device, not a regular file";
  } else if (known && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    result.kind = PathKind::Folder;
    result.text = "a folder, not a file";
  } else {
    result.kind = PathKind::File;
  }
  CloseHandle(handle);
  return result;
}

}  // namespace platform
