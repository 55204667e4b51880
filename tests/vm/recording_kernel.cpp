#include "vm/recording_kernel.h"

namespace vm {

std::optional<std::vector<std::string>> RecordingKernel::ReadDir(const std::string& path) {
  return real_.ReadDir(path);
}

std::optional<std::string> RecordingKernel::ReadFirstLine(const std::string& path) {
  return real_.ReadFirstLine(path);
}

std::optional<std::string> RecordingKernel::ReadLink(const std::string& path) {
  return real_.ReadLink(path);
}

int RecordingKernel::Open(const std::string& path, int flags) {
  const int result = real_.Open(path, flags);
  if (result >= 0) nodes_[result] = path;
  opens.push_back({path, flags, result});
  return result;
}

int RecordingKernel::SgIo(int fd, sg_io_hdr_t& header) {
  const int error = real_.SgIo(fd, header);
  sgIos.push_back({nodes_[fd], header.cmdp[0], error, header.status});
  return error;
}

void RecordingKernel::Close(int fd) {
  nodes_.erase(fd);
  real_.Close(fd);
}

}  // namespace vm
