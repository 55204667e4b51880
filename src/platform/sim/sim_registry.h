// The settings store of the simulated platform: registry keys in memory, optionally kept
// in a file so a test can look at what was written.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/system.h"

namespace sim {

class SimRegistry : public platform::Registry {
 public:
  struct Value {
    platform::RegType type = platform::RegType::String;
    std::vector<uint8_t> data;
  };
  using Key = std::map<std::string, Value>;

  std::unique_ptr<platform::RegistryKey> OpenKey(const std::string& path, Access access) override;
  std::unique_ptr<platform::RegistryKey> CreateKey(const std::string& path) override;
  std::string WriteFailure() const override {
    return writesFail ? "the simulated settings store refuses every write" : "";
  }

  // Test hooks: every write fails; inspect or seed values directly.
  bool writesFail = false;
  bool KeyExists(const std::string& path) const;
  const Value* Find(const std::string& path, const std::string& name) const;
  void Put(const std::string& path, const std::string& name, Value value);

 private:
  friend class SimRegistryKey;
  static std::string Fold(const std::string& text);
  std::map<std::string, Key> keys_;
};

}  // namespace sim
