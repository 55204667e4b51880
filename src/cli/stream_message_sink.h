// Start-up messages of the device layer, written as lines to a stream.
#pragma once

#include <ostream>

#include "device/text_encoding.h"
#include "platform/system.h"

namespace cli {

class StreamMessageSink : public platform::MessageSink {
 public:
  explicit StreamMessageSink(std::ostream& stream) : stream_(stream) {}
  void ShowMessage(const std::string& text, const std::string& caption, uint32_t) override {
    std::string flat = text;
    for (char& c : flat) {
      if (c == '\n') c = ' ';
    }
    stream_ << device::VisibleText(caption) << ' ' << device::VisibleText(flat) << '\n';
  }

 private:
  std::ostream& stream_;
};

}  // namespace cli
