#include "platform/files/file_test_hooks.h"

namespace platform {

FileTestHooks& TestHooks() {
  static FileTestHooks hooks;
  return hooks;
}

}  // namespace platform
