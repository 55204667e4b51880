#include "platform/files/program_file.h"

#include <sys/stat.h>

#include <filesystem>

namespace platform {

std::string RunningProgramPath() {
  return "/proc/self/exe";
}

std::string RunningProgramFile() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink(RunningProgramPath(), error);
  return error ? std::string() : self.string();
}

std::string ExecutableName(const std::string& name) {
  return name;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace platform
