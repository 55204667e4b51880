#include "platform/files/file_kind.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

std::string NotAFileText(mode_t mode) {
  if (S_ISREG(mode)) return {};
  if (S_ISDIR(mode)) return "a folder, not a file";
  if (S_ISFIFO(mode)) return "a named pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
  if (S_ISSOCK(mode)) return "a socket, not a regular file";
  return "not a regular file";
}

bool IsSymbolicLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string BrokenLinkText(const std::string& path, int error) {
  std::vector<char> target(4096);
  const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
  const std::string to = n > 0 ? std::string(target.data(), static_cast<size_t>(n)) : "?";
  if (error == ENOENT || error == ENOTDIR) {
    return "a symbolic link to " + to + ", which does not exist";
  }
  return "a symbolic link to " + to + " that cannot be followed: " + std::strerror(error);
}

std::string ForeignLinkText(const std::string& path, uid_t linkOwner, uid_t targetOwner) {
  if (linkOwner != ::geteuid()) {
    return "a symbolic link that belongs to another user (uid " + std::to_string(linkOwner) +
           "), not followed";
  }
  std::vector<char> target(4096);
  const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
  const std::string to = n > 0 ? std::string(target.data(), static_cast<size_t>(n)) : "?";
  return "a symbolic link to " + to + ", which belongs to another user (uid " +
         std::to_string(targetOwner) + "), not followed";
}

}  // namespace platform
