// Start-up messages of the device layer, written as lines to a stream.
#pragma once

#include <ostream>

#include "platform/system.h"
#include "text/text_encoding.h"

namespace cli {

class StreamMessageSink : public platform::MessageSink {
 public:
  explicit StreamMessageSink(std::ostream& stream) : stream_(stream) {}
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t) override {
    std::string flat = text;
    for (char& c : flat) {
      if (c == '\n') c = ' ';
    }
    stream_ << text::VisibleText(caption) << ' ' << text::VisibleText(flat) << '\n';
  }

 private:
  std::ostream& stream_;
};

}  // namespace cli
