// The standard output as quillrate-cli writes it: a buffer over the descriptor that keeps the
// system's error of the first write that failed. Through C's stdout a full disk would be
// known only as "the stream failed" once the first 4 KB had gone, and the reason lost.
#pragma once

#include <array>
#include <streambuf>

namespace cli {

class FdOutputBuffer : public std::streambuf {
 public:
  explicit FdOutputBuffer(int fd);
  ~FdOutputBuffer() override;
  FdOutputBuffer(const FdOutputBuffer&) = delete;
  FdOutputBuffer& operator=(const FdOutputBuffer&) = delete;

  // The errno of the first write that failed; 0 while every write went through.
  int FirstError() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Writes out what the buffer holds; false once a write has failed.
  bool Drain();

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_{};
};

}  // namespace cli
