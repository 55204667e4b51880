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

bool SameFile(const std::string& name, const std::string& path) {
  struct stat atName {};
  struct stat led {};
  return ::lstat(name.c_str(), &atName) == 0 && ::stat(path.c_str(), &led) == 0 &&
         atName.st_dev == led.st_dev && atName.st_ino == led.st_ino;
}

}  // namespace platform
