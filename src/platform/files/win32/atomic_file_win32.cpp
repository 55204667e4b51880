// The one atomic writer on Windows: a temporary file in the target's folder, every write
// checked, flushed with FlushFileBuffers, then put in the target's place in one step
// (ReplaceFileW over an existing file, MoveFileExW with write-through otherwise).
#include "platform/windows_api.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files/atomic_file.h"
#include "platform/files/file_test_hooks.h"
#include "platform/files/win32/path_kind.h"
#include "platform/files/win32/wide_text.h"

namespace platform {
namespace {

AtomicWriteResult SystemFailure(WriteFault fault, DWORD error, const std::string& what) {
  return {fault, static_cast<int>(error), what + ": " + Win32ErrorText(error)};
}

// A step the test hooks make fail, with the error they name.
bool HookFails(WriteStep step, AtomicWriteResult& result, WriteFault fault,
               const std::string& what) {
  const auto& failure = TestHooks().writeFailure;
  if (!failure || failure->step != step) return false;
  result = {fault, failure->error, what + ": " + std::strerror(failure->error)};
  return true;
}

AtomicWriteResult WriteAll(HANDLE file, std::span<const uint8_t> bytes) {
  int hookError = 0;
  const size_t allowed = HookedWriteLimit(bytes.size(), hookError);
  size_t done = 0;
  while (done < bytes.size()) {
    if (done == allowed) {
      return {WriteFault::WriteFailed, hookError,
              std::string("writing failed: ") + std::strerror(hookError)};
    }
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(allowed - done, 1u << 30));
    DWORD written = 0;
    if (WriteFile(file, bytes.data() + done, ask, &written, nullptr) == 0 || written == 0) {
      return SystemFailure(WriteFault::WriteFailed, GetLastError(), "writing failed");
    }
    done += written;
  }
  return {};
}

// A new name in `folder` for the temporary file, created there and open for writing.
HANDLE CreateTemporary(const std::filesystem::path& folder, const std::wstring& name,
                       std::wstring& temporary) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                std::to_wstring(InterlockedIncrement(&counter)) + L".tmp";
    temporary = (folder / (L"." + name + suffix)).wstring();
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// Puts the finished file in the target's place in one step.
bool TakeName(const std::wstring& temporary, const std::wstring& target, bool exists) {
  if (exists && ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                             REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) {
    return true;
  }
  return MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Writes the new file beside `destination` and puts it in its place; `exists`: a file stands
// there now (a link there is renamed over like a missing name, so it is never followed).
AtomicWriteResult Replace(const std::wstring& destination, std::span<const uint8_t> bytes,
                          bool exists) {
  const std::filesystem::path path(destination);
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = L".";
  std::wstring temporary;
  const HANDLE file = CreateTemporary(folder, path.filename().wstring(), temporary);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD folderAttributes = GetFileAttributesW(folder.wstring().c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES ||
        (folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      return {WriteFault::NoFolder, static_cast<int>(error),
              "its folder " + Narrow(folder.wstring()) + " does not exist"};
    }
    return SystemFailure(WriteFault::CannotCreate, error, "cannot create a file in its folder");
  }

  AtomicWriteResult result = WriteAll(file, bytes);
  if (result.ok() &&
      !HookFails(WriteStep::Sync, result, WriteFault::WriteFailed, "flushing to disk failed")) {
    if (FlushFileBuffers(file) == 0) {
      result = SystemFailure(WriteFault::WriteFailed, GetLastError(), "flushing to disk failed");
    }
  }
  // Windows has no permission bits to set; the file takes its folder's access rules.
  if (result.ok()) {
    HookFails(WriteStep::Chmod, result, WriteFault::WriteFailed, "setting its permissions failed");
  }
  const bool closed = CloseHandle(file) != 0;
  const DWORD closeError = GetLastError();
  if (result.ok() &&
      !HookFails(WriteStep::Close, result, WriteFault::WriteFailed, "closing failed")) {
    if (!closed) result = SystemFailure(WriteFault::WriteFailed, closeError, "closing failed");
  }
  if (result.ok() && !HookFails(WriteStep::Rename, result, WriteFault::RenameFailed,
                                "the new file could not take its name")) {
    if (!TakeName(temporary, destination, exists)) {
      result = SystemFailure(WriteFault::RenameFailed, GetLastError(),
                             "the new file could not take its name");
    }
  }
  if (!result.ok()) DeleteFileW(temporary.c_str());
  return result;
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& target, std::span<const uint8_t> bytes,
                                      mode_t, LinkPolicy links) {
  std::wstring destination = Widen(target);
  const PathKind kind = InspectPath(destination);
  if (kind.viaLink) {
    // A file made anew replaces a link planted under its name and never follows it. Whose
    // link it is cannot be told here as on Linux, so a link is never written through.
    if (links == LinkPolicy::FollowOwnLink) {
      return {WriteFault::ForeignLink, ERROR_ACCESS_DENIED,
              "a symbolic link, which is not written through on Windows"};
    }
    return Replace(destination, bytes, false);
  }
  switch (kind.kind) {
    case PathKind::Folder:
      return {WriteFault::IsFolder, ERROR_DIRECTORY, kind.text};
    case PathKind::NotAFile:
      return {WriteFault::NotAFile, 0, kind.text};
    case PathKind::BrokenLink:
      return {WriteFault::BrokenLink, ERROR_FILE_NOT_FOUND, kind.text};
    case PathKind::File:
    case PathKind::Missing:
    case PathKind::Unknown:
      break;
  }
  return Replace(destination, bytes, kind.kind == PathKind::File);
}

}  // namespace platform
