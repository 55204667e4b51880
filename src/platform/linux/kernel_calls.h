// The few kernel calls the Linux backend makes, behind one small interface, so that its
// rules (which nodes, which flags, what a status means) can be tested against a fake kernel.
#pragma once

#include <scsi/sg.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Called from several threads at once while drives are identified in parallel, each thread on
// descriptors of its own.
class KernelCalls {
 public:
  virtual ~KernelCalls() = default;
  // The entry names of a directory, without "." and ".."; none when it cannot be read.
  virtual std::optional<std::vector<std::string>> ReadDir(const std::string& path) = 0;
  // The first line of a file, without its line end; none when it cannot be read.
  virtual std::optional<std::string> ReadFirstLine(const std::string& path) = 0;
  // The target of a symbolic link as stored; none when there is no readable link.
  virtual std::optional<std::string> ReadLink(const std::string& path) = 0;
  // open(2): a descriptor, or the negated errno.
  virtual int Open(const std::string& path, int flags) = 0;
  // stat(2), links followed: 0, or the negated errno.
  virtual int Stat(const std::string& path, struct stat& info) = 0;
  // ioctl(fd, SG_GET_VERSION_NUM): the sg driver's version, or the negated errno (a device
  // that is not a SCSI generic node does not know the request).
  virtual int SgVersion(int fd) = 0;
  // ioctl(fd, SG_IO, &header): 0, or the errno of the failed call.
  virtual int SgIo(int fd, sg_io_hdr_t& header) = 0;
  virtual void Close(int fd) = 0;
};

// The running kernel.
KernelCalls& RealKernel();

}  // namespace platform
