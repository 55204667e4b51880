// The running kernel, with a log of every open and SG_IO the backend makes, so the checker
// can tell a command the kernel refused from one the drive rejected.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/linux/kernel_calls.h"

namespace vm {

struct LoggedOpen {
  std::string path;
  int flags = 0;
  int result = 0;  // descriptor or negated errno
};

struct LoggedSgIo {
  std::string node;
  uint8_t opcode = 0;
  int error = 0;  // errno of the ioctl, 0 when the kernel delivered the command
  uint8_t status = 0;
};

class RecordingKernel : public platform::KernelCalls {
 public:
  std::optional<std::vector<std::string>> ReadDir(const std::string& path) override;
  std::optional<std::string> ReadFirstLine(const std::string& path) override;
  std::optional<std::string> ReadLink(const std::string& path) override;
  int Open(const std::string& path, int flags) override;
  int Stat(const std::string& path, struct stat& info) override { return real_.Stat(path, info); }
  int SgVersion(int fd) override { return real_.SgVersion(fd); }
  int SgIo(int fd, sg_io_hdr_t& header) override;
  void Close(int fd) override;

  std::vector<LoggedOpen> opens;
  std::vector<LoggedSgIo> sgIos;

 private:
  platform::KernelCalls& real_ = platform::RealKernel();
  std::map<int, std::string> nodes_;
};

}  // namespace vm
