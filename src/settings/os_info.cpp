#include "settings/os_info.h"

#include <cstring>
#include <vector>

namespace settings {
namespace {

constexpr uint32_t kPlatformNt = 2;

std::string KeyPath(const std::string& key) {
  return "SOFTWARE\\" + key + "\\";
}

std::unique_ptr<platform::RegistryKey> OpenForWriting(platform::System& system,
                                                      const std::string& key) {
  auto& registry = system.Settings();
  auto handle = registry.OpenKey(KeyPath(key), platform::Registry::Access::All);
  if (!handle) handle = registry.CreateKey(KeyPath(key));
  return handle;
}

}  // namespace

OSInfo::OSInfo(platform::System& system) : system_(system) {
  const auto id = system_.PlatformId();
  isNt_ = id.has_value() && *id == kPlatformNt;
}

bool OSInfo::ReadRegString(platform::System& system, const std::string& key,
                           const std::string& valueName, std::array<char, 256>& out) {
  out.fill('\0');
  auto handle = system.Settings().OpenKey(KeyPath(key), platform::Registry::Access::Query);
  if (!handle) return false;
  std::array<uint8_t, 256> data{};
  uint32_t size = data.size();
  if (!handle->QueryValue(valueName, data.data(), size) || size > data.size()) return false;
  // The stored text must end within the buffer; otherwise it counts as absent.
  const void* nul = std::memchr(data.data(), 0, size);
  if (nul == nullptr && size == data.size()) return false;
  std::memcpy(out.data(), data.data(), size);
  return true;
}

bool OSInfo::WriteRegString(platform::System& system, const std::string& key,
                            const std::string& valueName, const std::string& text) {
  auto handle = OpenForWriting(system, key);
  if (!handle) return false;
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return handle->SetValue(valueName, platform::RegType::String, data);
}

bool OSInfo::WriteRegDword(platform::System& system, const std::string& key,
                           const std::string& valueName, uint32_t value) {
  auto handle = OpenForWriting(system, key);
  if (!handle) return false;
  // A REG_DWORD is stored in the machine's byte order, little-endian.
  const std::vector<uint8_t> data{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                  static_cast<uint8_t>(value >> 16),
                                  static_cast<uint8_t>(value >> 24)};
  return handle->SetValue(valueName, platform::RegType::Dword, data);
}

}  // namespace settings
