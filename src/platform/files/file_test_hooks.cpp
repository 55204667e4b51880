#include "platform/files/file_test_hooks.h"

#include <algorithm>

namespace platform {

FileTestHooks& TestHooks() {
  static FileTestHooks hooks;
  return hooks;
}

size_t HookedWriteLimit(size_t size, int& error) {
  const auto& failure = TestHooks().writeFailure;
  if (!failure || failure->step != WriteStep::Write || failure->atByte >= size) return size;
  error = failure->error;
  return static_cast<size_t>(failure->atByte);
}

int HookedReadError(const std::string& path, uint64_t done, size_t& size) {
  const auto& failure = TestHooks().readFailure;
  if (!failure || failure->path != path) return 0;
  if (done >= failure->atByte) return failure->error;
  size = static_cast<size_t>(std::min<uint64_t>(size, failure->atByte - done));
  return 0;
}

}  // namespace platform
