#include "platform/sim/sim_registry.h"

#include <algorithm>

#include <cstring>

namespace sim {

class SimRegistryKey : public platform::RegistryKey {
 public:
  SimRegistryKey(SimRegistry& registry, std::string path, bool writable)
      : registry_(registry), path_(std::move(path)), writable_(writable) {}

  bool QueryValue(const std::string& name, uint8_t* data, uint32_t& size) override {
    const SimRegistry::Value* value = registry_.Find(path_, name);
    if (value == nullptr) return false;
    const uint32_t capacity = size;
    size = static_cast<uint32_t>(value->data.size());
    if (size > capacity) return false;
    std::copy_n(value->data.begin(), size, data);
    return true;
  }

  bool SetValue(const std::string& name, platform::RegType type,
                const std::vector<uint8_t>& data) override {
    if (!writable_ || registry_.writesFail) return false;
    registry_.Put(path_, name, {type, data});
    return true;
  }

 private:
  SimRegistry& registry_;
  std::string path_;
  bool writable_;
};

std::string SimRegistry::Fold(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

std::unique_ptr<platform::RegistryKey> SimRegistry::OpenKey(const std::string& path,
                                                            Access access) {
  if (!KeyExists(path)) return nullptr;
  return std::make_unique<SimRegistryKey>(*this, path, access == Access::All);
}

std::unique_ptr<platform::RegistryKey> SimRegistry::CreateKey(const std::string& path) {
  if (writesFail) return nullptr;
  keys_[Fold(path)];
  return std::make_unique<SimRegistryKey>(*this, path, true);
}

bool SimRegistry::KeyExists(const std::string& path) const {
  return keys_.count(Fold(path)) != 0;
}

const SimRegistry::Value* SimRegistry::Find(const std::string& path,
                                            const std::string& name) const {
  auto key = keys_.find(Fold(path));
  if (key == keys_.end()) return nullptr;
  auto value = key->second.find(Fold(name));
  return value == key->second.end() ? nullptr : &value->second;
}

void SimRegistry::Put(const std::string& path, const std::string& name, Value value) {
  keys_[Fold(path)][Fold(name)] = std::move(value);
}

}  // namespace sim
