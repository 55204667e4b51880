// The program's settings in the registry, under HKEY_LOCAL_MACHINE. Strings are kept as UTF-16
// (REG_SZ) and handed to the program as UTF-8, so a path keeps every character it has.
#pragma once

#include <string>

#include "platform/system.h"

namespace platform::win32 {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(const std::string& path, Access access) override;
  std::unique_ptr<RegistryKey> CreateKey(const std::string& path) override;
  std::string WriteFailure() const override { return failure_; }

 private:
  std::string failure_;
};

}  // namespace platform::win32
