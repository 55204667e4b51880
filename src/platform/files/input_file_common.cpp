// What the one reader does the same on every system: the test hooks around the open, and
// recording why a file cannot be read.
#include "platform/files/file_test_hooks.h"
#include "platform/files/input_file.h"

namespace platform {

InputFile::InputFile(const std::string& path) : path_(path) {
  Open();
  auto& hook = TestHooks().afterOpen;
  if (fd_ >= 0 && hook && hook->path == path_) {
    const auto run = std::move(hook->run);
    hook.reset();
    run();
  }
}

void InputFile::Fail(ReadFault fault, std::string reason) {
  problem_ = {fault, std::move(reason)};
}

}  // namespace platform
