#include "custom/prototype_file.h"

namespace custom {

platform::FileContents LoadPrototype(const std::string& path) {
  return platform::ReadWholeFile(path);
}

}  // namespace custom
