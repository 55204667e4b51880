// The terminal companion's messages name what the user gave (paths, command words) and what a
// drive or a file holds. Every line written through VisibleLines reaches the terminal in a
// visible, harmless form: a control byte in a file name cannot retitle the terminal, clear it
// or start a line that looks like one of the program's own.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace cli {

// A stream buffer that collects a line and writes it to `target` (never null) through
// text::VisibleText when the line ends, when it is flushed, and when it is destroyed.
class VisibleLinesBuffer : public std::streambuf {
 public:
  explicit VisibleLinesBuffer(std::streambuf* target) : target_(target) {}
  ~VisibleLinesBuffer() override;
  VisibleLinesBuffer(const VisibleLinesBuffer&) = delete;
  VisibleLinesBuffer& operator=(const VisibleLinesBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  // Writes what is collected; false when the target would not take it.
  bool WritePending();

  std::streambuf* target_;
  std::string pending_;
  bool failed_ = false;
};

// An output stream over another stream's buffer that shows every line visibly.
class VisibleLines : public std::ostream {
 public:
  explicit VisibleLines(std::ostream& target) : std::ostream(nullptr), buffer_(target.rdbuf()) {
    rdbuf(&buffer_);
  }

 private:
  VisibleLinesBuffer buffer_;
};

}  // namespace cli
