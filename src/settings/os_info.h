// The operating-system family and the program's registry settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/system.h"

namespace settings {

// The program key under which all settings live.
inline constexpr const char* kProgramKey = "Quillrate";

class OSInfo {
 public:
  explicit OSInfo(platform::System& system);

  bool IsNT() const { return isNt_; }

  // Reads a string value into `out`. The buffer is cleared first and always ends with a
  // NUL; a value that does not fit 256 bytes with its NUL reads as absent.
  static bool ReadRegString(platform::System& system, const std::string& key,
                            const std::string& valueName, std::array<char, 256>& out);
  static bool WriteRegString(platform::System& system, const std::string& key,
                             const std::string& valueName, const std::string& text);
  static bool WriteRegDword(platform::System& system, const std::string& key,
                            const std::string& valueName, uint32_t value);

  bool ReadRegString(const std::string& key, const std::string& valueName,
                     std::array<char, 256>& out) const {
    return ReadRegString(system_, key, valueName, out);
  }
  bool WriteRegString(const std::string& key, const std::string& valueName,
                      const std::string& text) const {
    return WriteRegString(system_, key, valueName, text);
  }
  bool WriteRegDword(const std::string& key, const std::string& valueName, uint32_t value) const {
    return WriteRegDword(system_, key, valueName, value);
  }

 private:
  platform::System& system_;
  bool isNt_ = false;
};

}  // namespace settings
