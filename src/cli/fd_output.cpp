#include "cli/fd_output.h"

#include <unistd.h>

#include <cerrno>

namespace cli {

FdOutputBuffer::FdOutputBuffer(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutputBuffer::~FdOutputBuffer() {
  Drain();
}

bool FdOutputBuffer::Drain() {
  const char* next = pbase();
  while (error_ == 0 && next < pptr()) {
    const auto n = ::write(fd_, next, static_cast<unsigned>(pptr() - next));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A write that takes nothing without an error would loop forever: count it as one.
      error_ = n < 0 ? errno : EIO;
      break;
    }
    next += n;
  }
  // Bytes that cannot be written are dropped: the failure is kept and reported once.
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int FdOutputBuffer::sync() {
  return Drain() ? 0 : -1;
}

}  // namespace cli
