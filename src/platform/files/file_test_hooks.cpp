#include "platform/files/file_test_hooks.h"

#include <algorithm>

namespace platform {

FileTestHooks& TestHooks() {
  static FileTestHooks hooks;
  return hooks;
}

int HookedReadError(const std::string& path, uint64_t done, size_t& size) {
  const auto& failure = TestHooks().readFailure;
  if (!failure || failure->path != path) return 0;
  if (done >= failure->atByte) return failure->error;
  size = static_cast<size_t>(std::min<uint64_t>(size, failure->atByte - done));
  return 0;
}

}  // namespace platform
