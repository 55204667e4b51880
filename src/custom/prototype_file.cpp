#include "custom/prototype_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace custom {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::vector<uint8_t>> LoadPrototype(const std::string& path) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(info.st_size));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    // An error, or the end of the file before its size: a prototype cut short is no prototype.
    if (n <= 0) return std::nullopt;
    done += static_cast<size_t>(n);
  }
  return bytes;
}

}  // namespace custom
