#include "cli/visible_lines.h"

#include "text/text_encoding.h"

namespace cli {

VisibleLinesBuffer::~VisibleLinesBuffer() {
  WritePending();
  target_->pubsync();
}

bool VisibleLinesBuffer::WritePending() {
  if (pending_.empty()) return !failed_;
  std::string shown = text::VisibleText(pending_);
  pending_.clear();
  const auto length = static_cast<std::streamsize>(shown.size());
  if (target_->sputn(shown.data(), length) != length) failed_ = true;
  return !failed_;
}

VisibleLinesBuffer::int_type VisibleLinesBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  if (ch != '\n') {
    pending_.push_back(ch);
    return c;
  }
  if (!WritePending() || traits_type::eq_int_type(target_->sputc('\n'), traits_type::eof())) {
    failed_ = true;
    return traits_type::eof();
  }
  return c;
}

std::streamsize VisibleLinesBuffer::xsputn(const char* text, std::streamsize count) {
  for (std::streamsize i = 0; i < count; ++i) {
    if (traits_type::eq_int_type(overflow(traits_type::to_int_type(text[i])), traits_type::eof())) {
      return i;
    }
  }
  return count;
}

int VisibleLinesBuffer::sync() {
  // A flush in the middle of a line writes the start of it: the rest follows when it comes.
  // A character split across the two parts is shown as its bytes, never as a control.
  if (!WritePending()) return -1;
  return target_->pubsync();
}

}  // namespace cli
